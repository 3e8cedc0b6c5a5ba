#include "class_results_model.h"

#include "result_columns.h"

#include <utility>

namespace kav {

namespace {

// Where each column of a class row is read from in the whole field.
constexpr std::array<int, ResultsModel::kColumns> kClassColumnSources = [] {
    std::array<int, ResultsModel::kColumns> sources{};
    for (int column = 0; column < ResultsModel::kColumns; ++column)
        sources[std::size_t(column)] = column;
    sources[kPosColumn] = kClassPositionColumn;
    sources[kDiffColumn] = kClassGapColumn;
    return sources;
}();

} // namespace

ClassResultsModel::ClassResultsModel(const ResultsModel& all, const QString& className, QObject* parent)
    : ResultsModel(parent), m_all(all), m_className(className.trimmed())
{
    connect(&all, &QAbstractItemModel::dataChanged, this, &ClassResultsModel::followSoon);
    connect(&all, &QAbstractItemModel::rowsInserted, this, &ClassResultsModel::followSoon);
    connect(&all, &QAbstractItemModel::rowsRemoved, this, &ClassResultsModel::followSoon);
    connect(&all, &ResultsModel::filledRowCountChanged, this, &ClassResultsModel::followSoon);
    follow();
}

bool ClassResultsModel::sameClass(const QString& classText, const QString& className)
{
    return classText.trimmed().compare(className, Qt::CaseInsensitive) == 0;
}

// A refill grows the field row by row: the class follows once it is done.
void ClassResultsModel::followSoon()
{
    if (std::exchange(m_followPending, true))
        return;
    QMetaObject::invokeMethod(this, &ClassResultsModel::follow, Qt::QueuedConnection);
}

// The class's rows are written again from the field; only the cells that differ count as changed.
void ClassResultsModel::follow()
{
    m_followPending = false;
    setRowCount(m_all.rowCount());
    int shown = 0;
    for (int row = 0; row < m_all.filledRowCount(); ++row) {
        if (sameClass(m_all.cell(row, kClassColumn).text, m_className))
            copyRow(shown++, m_all, row, kClassColumnSources);
    }
    for (int row = filledRowCount() - 1; row >= shown; --row) {
        clearRow(row);
        for (int column = 0; column < kColumns; ++column)
            setMarker(row, column, kNoMarker);
    }
}

} // namespace kav
