#include "results_source.h"

#include <QAbstractItemModel>

namespace kav {

ResultsSource::ResultsSource(QObject* parent) : QObject(parent) {}

void ResultsSource::setState(const WebState& state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void ResultsSource::setLineCount(qint64 lines)
{
    if (lines == m_state.run.lines)
        return;
    m_state.run.lines = lines;
    emit stateChanged();
}

QAbstractItemModel* ResultsSource::model(int kind) const
{
    if (kind < kFirstKind || kind > kLastKind)
        return nullptr;
    return m_models[static_cast<std::size_t>(kind - 1)];
}

void ResultsSource::setModel(int kind, QAbstractItemModel* model)
{
    if (kind < kFirstKind || kind > kLastKind || this->model(kind) == model)
        return;
    m_models[static_cast<std::size_t>(kind - 1)] = model;
    emit modelReplaced(kind);
}

} // namespace kav
