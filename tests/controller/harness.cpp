#include "harness.h"

#include "results_grid.h"
#include "window_settings.h"

namespace kav {

Harness::Harness() : Ctl(Device, Settings, Message, Clock) {}

Harness::~Harness()
{
    for (ResultWindow* window : m_windows)
        delete window;
}

ResultWindow& Harness::open(std::uint8_t kind, std::vector<std::uint8_t> columns)
{
    auto* window = new ResultWindow(Ctl.Models, Headers, ColumnDialog);
    window->applySettings(windowSettings(kind, columns, static_cast<std::uint8_t>(m_windows.size() + 1)));
    m_windows.push_back(window);
    Ctl.Windows.add(window);
    Ctl.Content.refillKind(kind);
    return *window;
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
