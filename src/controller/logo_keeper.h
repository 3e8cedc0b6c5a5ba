#pragma once

#include <QPointer>

#include <string>

#include "window_records.h"

class QMdiArea;

namespace kav {

class LogoWindow;

// The layout's logo: its record (picture file, placement, shown or not) and its window in the area.
class LogoKeeper {
public:
    explicit LogoKeeper(QMdiArea& area);

    const LogoSettings& record() const { return m_logo; }
    LogoSettings& record() { return m_logo; }
    LogoWindow* window() const;

    // Opens the window where the record places it, if not open, and loads the picture; false when the
    // picture could not be loaded.
    bool show();
    void close();
    // Takes the window's placement into the record.
    void storePlacement();
    // Closes the window and forgets the picture.
    void clear();

private:
    QMdiArea& m_area;
    LogoSettings m_logo;
    QPointer<LogoWindow> m_window;
};

} // namespace kav
