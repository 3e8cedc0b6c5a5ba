#pragma once

#include <QObject>
#include <vector>

#include "f_results.h"

namespace kav {

// The open result windows, in the order they were opened. A window leaves the set by itself when it
// is destroyed.
class TResultWindows : public QObject {
    Q_OBJECT
public:
    void Add(TFResults* window);
    void Remove(TFResults* window);
    const std::vector<TFResults*>& All() const { return m_windows; }
    int Count() const { return static_cast<int>(m_windows.size()); }

private:
    std::vector<TFResults*> m_windows;
};

} // namespace kav
