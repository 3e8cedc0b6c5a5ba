#include "results_model.h"

#include "markers.h"
#include "result_columns.h"

#include <QBrush>
#include <QGuiApplication>
#include <algorithm>

namespace kav {

namespace {

const QString kBlank = QStringLiteral(" ");

// The column's alignment as the catalogue gives it.
Qt::Alignment columnAlignment(int column)
{
    switch (kColumnCatalogue[std::size_t(column)].Alignment.value_or(kAlignLeft)) {
    case kAlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    case kAlignCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

ResultsModel::ResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

bool ResultsModel::contains(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < kColumns;
}

void ResultsModel::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows == m_rows)
        return;
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_cells.resize(offset(rows, 0));
        m_rowColours.resize(std::size_t(rows));
        for (int row = m_rows; row < rows; ++row)
            numberRow(row);
        m_rows = rows;
        endInsertRows();
    } else {
        beginRemoveRows({}, rows, m_rows - 1);
        m_cells.resize(offset(rows, 0));
        m_rowColours.resize(std::size_t(rows));
        m_rows = rows;
        endRemoveRows();
        setFilledRowCount(std::min(m_filledRows, rows));
    }
}

void ResultsModel::numberRow(int row)
{
    cellAt(row, 0).text = QString::number(row + 1);
}

void ResultsModel::setText(int row, int column, const QString& text)
{
    if (!contains(row, column))
        return;
    const QString& shown = text.isEmpty() ? kBlank : text;
    Cell& cell = cellAt(row, column);
    if (cell.text == shown)
        return;
    cell.text = shown;
    markChanged(row, column, column);
    if (column > 0 && row >= m_filledRows && !shown.trimmed().isEmpty())
        setFilledRowCount(row + 1);
}

void ResultsModel::setMarker(int row, int column, int code)
{
    const std::int16_t marker = showsMarker(code) ? static_cast<std::int16_t>(code) : kNoMarker;
    if (!contains(row, column) || cellAt(row, column).marker == marker)
        return;
    cellAt(row, column).marker = marker;
    markChanged(row, column, column);
}

void ResultsModel::setRowColours(int row, ColorValue text, ColorValue background)
{
    if (!contains(row, 0))
        return;
    RowColours& colours = m_rowColours[std::size_t(row)];
    if (colours.set && colours.text == text && colours.background == background)
        return;
    colours = {true, text, background};
    markChanged(row, 0, kColumns - 1);
}

void ResultsModel::clearRow(int row)
{
    if (!contains(row, 0))
        return;
    bool changed = std::exchange(m_rowColours[std::size_t(row)].set, false);
    for (int column = 1; column < kColumns; ++column) {
        QString& text = cellAt(row, column).text;
        if (text != kBlank) {
            text = kBlank;
            changed = true;
        }
    }
    if (cellAt(row, 0).text != QString::number(row + 1)) {
        numberRow(row);
        changed = true;
    }
    if (changed)
        markChanged(row, 0, kColumns - 1);
    if (row == m_filledRows - 1)
        setFilledRowCount(row);
}

void ResultsModel::copyRow(int row, const ResultsModel& from, int fromRow,
                           const std::array<int, kResultColumns>& sources)
{
    if (!contains(row, 0) || !from.contains(fromRow, 0))
        return;
    for (int column = 0; column < kColumns; ++column) {
        const Cell& source = from.cell(fromRow, sources[std::size_t(column)]);
        setText(row, column, source.text);
        setMarker(row, column, source.marker);
    }
    RowColours& colours = m_rowColours[std::size_t(row)];
    const RowColours& wanted = from.rowColours(fromRow);
    if (colours.set != wanted.set ||
        (wanted.set && (colours.text != wanted.text || colours.background != wanted.background))) {
        colours = wanted;
        markChanged(row, 0, kColumns - 1);
    }
}

bool ResultsModel::rowHasText(int row) const
{
    for (int column = 1; column < kColumns; ++column) {
        if (!cell(row, column).text.trimmed().isEmpty())
            return true;
    }
    return false;
}

// A cleared last row hands the end of the field to the last row still holding a text.
void ResultsModel::setFilledRowCount(int rows)
{
    while (rows > 0 && rows < m_filledRows && !rowHasText(rows - 1))
        --rows;
    if (rows == m_filledRows)
        return;
    m_filledRows = rows;
    emit filledRowCountChanged(rows);
}

void ResultsModel::clearAllRows()
{
    for (int row = 0; row < m_rows; ++row)
        clearRow(row);
}

void ResultsModel::markChanged(int row, int firstColumn, int lastColumn)
{
    if (m_firstRow > m_lastRow) {
        m_firstRow = m_lastRow = row;
        m_firstColumn = firstColumn;
        m_lastColumn = lastColumn;
    } else {
        m_firstRow = std::min(m_firstRow, row);
        m_lastRow = std::max(m_lastRow, row);
        m_firstColumn = std::min(m_firstColumn, firstColumn);
        m_lastColumn = std::max(m_lastColumn, lastColumn);
    }
    if (!m_announcePending) {
        m_announcePending = true;
        QMetaObject::invokeMethod(this, &ResultsModel::announceChanges, Qt::QueuedConnection);
    }
}

// A burst of writes (a whole refill, a feed running fast) reaches the views as one change.
void ResultsModel::announceChanges()
{
    m_announcePending = false;
    const int first = m_firstRow;
    const int last = std::min(m_lastRow, m_rows - 1);
    m_firstRow = 1;
    m_lastRow = 0;
    if (first <= last)
        emit dataChanged(index(first, m_firstColumn), index(last, m_lastColumn));
}

int ResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !contains(index.row(), index.column()))
        return {};
    const Cell& shown = cell(index.row(), index.column());
    const RowColours& colours = rowColours(index.row());
    switch (role) {
    case Qt::DisplayRole: return shown.text;
    case Qt::TextAlignmentRole: return QVariant::fromValue(columnAlignment(index.column()));
    case Qt::ForegroundRole:
        return colours.set ? QVariant(QBrush(toQColor(colours.text, QGuiApplication::palette()))) : QVariant();
    case Qt::BackgroundRole:
        return colours.set ? QVariant(QBrush(toQColor(colours.background, QGuiApplication::palette()))) : QVariant();
    case kMarkerRole: return shown.marker == kNoMarker ? QVariant() : QVariant(int(shown.marker));
    case kMarkerNameRole: return markerName(shown.marker);
    case kTextColourValueRole: return colours.set ? QVariant(int(colours.text)) : QVariant();
    case kBackgroundColourValueRole: return colours.set ? QVariant(int(colours.background)) : QVariant();
    case kRowInFieldRole: return index.row() < m_filledRows;
    default: return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumns) {
        if (role == Qt::DisplayRole)
            return QString::fromLatin1(kColumnCatalogue[std::size_t(section)].DialogCaption);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(columnAlignment(section));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace kav
