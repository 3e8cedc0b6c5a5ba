#include "harness.h"

#include "results_grid.h"

namespace kav {

Harness::Harness() : Ctl(Device, Settings, Message, Clock)
{
    Settings.change([](MainSettings& settings) {
        settings.TrackLength = 4000;
        settings.SpeedDecimals = 2;
    });
}

Harness::~Harness()
{
    for (ResultWindow* window : m_windows)
        delete window;
}

std::vector<std::uint8_t> Harness::allColumns()
{
    std::vector<std::uint8_t> columns;
    for (std::uint8_t id = 0; id < kColumnIds; ++id)
        columns.push_back(id);
    return columns;
}

ResultWindow& Harness::open(std::uint8_t kind, std::vector<std::uint8_t> columns)
{
    auto* window = new ResultWindow(Ctl.Models, Headers, ColumnDialog);
    ResultWindowSettings rec;
    rec.Number = static_cast<std::uint8_t>(m_windows.size() + 1);
    rec.Layout = kind;
    for (std::size_t p = 0; p < columns.size(); ++p)
        rec.ColRel[p] = columns[p];
    window->applySettings(rec);
    m_windows.push_back(window);
    Ctl.Windows.add(window);
    Ctl.Content.refillKind(kind);
    return *window;
}

void Harness::feedLines(const std::string& line)
{
    Device.receiveBytes(QByteArray::fromStdString(line + "\n"));
}

void Harness::feedLines(std::initializer_list<std::string> lines)
{
    for (const std::string& line : lines)
        feedLines(line);
}

int Harness::column(const ResultWindow& window, std::uint8_t id) const
{
    const std::uint8_t col = window.settings().ColPos[id];
    return col == kNoCode ? -1 : col;
}

QString Harness::cell(const ResultWindow& window, std::uint8_t id, int row) const
{
    const int col = column(window, id);
    return col < 0 ? QString() : window.grid().cell(col, row);
}

std::string Harness::shownPicture(const ResultWindow& window, int row) const
{
    const int col = column(window, 1);
    return col < 0 ? std::string() : window.grid().markerName(col, row).toStdString();
}

} // namespace kav
