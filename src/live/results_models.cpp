#include "results_models.h"

namespace kav {

ResultsModels::ResultsModels(int rows)
{
    setRowCount(rows);
}

ResultsModel& ResultsModels::forKind(std::uint8_t kind)
{
    return m_models[kind >= 1 && kind <= kKinds ? kind - 1u : kKinds];
}

const ResultsModel& ResultsModels::forKind(std::uint8_t kind) const
{
    return m_models[kind >= 1 && kind <= kKinds ? kind - 1u : kKinds];
}

void ResultsModels::setRowCount(int rows)
{
    for (ResultsModel& model : m_models)
        model.setRowCount(rows);
}

} // namespace kav
