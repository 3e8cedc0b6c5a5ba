#pragma once

#include <QObject>
#include <vector>

#include "result_window.h"

namespace kav {

// The open result windows, in the order they were opened. A window leaves the set by itself when it
// is destroyed.
class ResultWindows : public QObject {
    Q_OBJECT
public:
    void add(ResultWindow* window);
    void remove(ResultWindow* window);
    const std::vector<ResultWindow*>& all() const { return m_windows; }
    int count() const { return static_cast<int>(m_windows.size()); }

private:
    std::vector<ResultWindow*> m_windows;
};

} // namespace kav
