#include "result_windows.h"

#include <algorithm>

namespace kav {

void TResultWindows::Add(TFResults* window)
{
    if (std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end())
        return;
    m_windows.push_back(window);
    connect(window, &QObject::destroyed, this, [this, window] { Remove(window); });
}

void TResultWindows::Remove(TFResults* window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

} // namespace kav
