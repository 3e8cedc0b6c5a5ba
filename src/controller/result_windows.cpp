#include "result_windows.h"

#include <algorithm>

namespace kav {

void ResultWindows::add(ResultWindow* window)
{
    if (std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end())
        return;
    m_windows.push_back(window);
    connect(window, &QObject::destroyed, this, [this, window] { remove(window); });
}

// The last window takes the freed place, so the saved layout lists the windows in that order.
void ResultWindows::remove(ResultWindow* window)
{
    const auto place = std::find(m_windows.begin(), m_windows.end(), window);
    if (place == m_windows.end())
        return;
    *place = m_windows.back();
    m_windows.pop_back();
}

} // namespace kav
