#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

#include "f_results.h"

namespace kav {

// The open result windows that content building writes to. A window leaves the set by itself when
// it is destroyed.
class TResultWindows : public QObject {
public:
    void Add(TFResults* window);
    void Remove(TFResults* window);
    const std::vector<TFResults*>& All() const { return m_windows; }
    int Count() const { return static_cast<int>(m_windows.size()); }

    // Calls fn(window, grid column) for each open window of the kind that shows the column id.
    template <typename Fn>
    void ForColumn(std::uint8_t kind, std::uint8_t id, Fn&& fn) const
    {
        for (TFResults* window : m_windows) {
            const TResultWinRec& rec = window->Record();
            if (rec.Layout == kind && rec.ColPos[id] != kNoCode)
                fn(*window, static_cast<int>(rec.ColPos[id]));
        }
    }

    // Calls fn(window) for each open window of the kind.
    template <typename Fn>
    void ForKind(std::uint8_t kind, Fn&& fn) const
    {
        for (TFResults* window : m_windows) {
            if (window->Record().Layout == kind)
                fn(*window);
        }
    }

private:
    std::vector<TFResults*> m_windows;
};

} // namespace kav
