#pragma once

#include "results_model.h"

#include <array>
#include <cstdint>

namespace kav {

// One results model per window kind (completed laps, practice, track positions, current race), all
// with the same number of rows. A window of a kind the program does not know shows a model nothing
// writes to.
class ResultsModels {
public:
    explicit ResultsModels(int rows);

    ResultsModel& forKind(std::uint8_t kind);
    const ResultsModel& forKind(std::uint8_t kind) const;
    void setRowCount(int rows);

private:
    static constexpr std::size_t kKinds = 4;

    std::array<ResultsModel, kKinds + 1> m_models; // kinds 1 to 4, then the unknown kind
};

} // namespace kav
