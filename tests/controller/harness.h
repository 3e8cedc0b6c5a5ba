#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "column_settings_dialog.h"
#include "controller.h"
#include "kavendor_device.h"
#include "main_settings.h"
#include "result_window.h"
#include "stand_by_message.h"

// Readable failure messages for cell texts.
inline void printTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kav {

// A headless controller with result windows, wired to its device as in the program: feeds lines
// through the device and reads back what the windows show. What the feed makes without a window is
// tested with tests/race's FeedHarness.
class Harness {
public:
    Harness();
    ~Harness();

    // A window of the kind showing the columns in the given order; the rows are filled at once.
    ResultWindow& open(std::uint8_t kind, std::vector<std::uint8_t> columns = allColumns());
    static std::vector<std::uint8_t> allColumns();

    // One line, given its LF and received by the device.
    void feedLines(const std::string& line);
    void feedLines(std::initializer_list<std::string> lines);
    void setClock(TimeValue time) { Clock.set(time); }

    // What column id of a row shows; empty when the window does not show the column.
    QString cell(const ResultWindow& window, std::uint8_t id, int row) const;
    // The marker picture of a row: "white flag", "red cross", ... or "" for none.
    std::string shownPicture(const ResultWindow& window, int row) const;

    ProgramSettings Settings;
    HeaderTexts Headers = defaultHeaders();
    ColumnSettingsDialog ColumnDialog;
    StandByMessage Message;
    ManualClock Clock;
    KavendorDevice Device;
    Controller Ctl;

private:
    int column(const ResultWindow& window, std::uint8_t id) const;

    std::vector<ResultWindow*> m_windows;
};

} // namespace kav
