#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "column_settings_dialog.h"
#include "controller.h"
#include "fed_device.h"
#include "result_window.h"
#include "stand_by_message.h"

namespace kav {

// A headless controller with result windows, wired to its device as in the program: feeds lines
// through the device and reads back what the windows show. What the feed makes without a window is
// tested with tests/race's FeedHarness.
class Harness : public FedDevice {
public:
    Harness();
    ~Harness();

    // A window of the kind showing the columns in the given order; the rows are filled at once.
    ResultWindow& open(std::uint8_t kind, std::vector<std::uint8_t> columns = allColumns());
    void setClock(TimeValue time) { Clock.set(time); }

    // What column id of a row shows; empty when the window does not show the column.
    QString cell(const ResultWindow& window, std::uint8_t id, int row) const;
    // The marker picture of a row: "white flag", "red cross", ... or "" for none.
    std::string shownPicture(const ResultWindow& window, int row) const;

    HeaderTexts Headers = defaultHeaders();
    ColumnSettingsDialog ColumnDialog;
    StandByMessage Message;
    Controller Ctl;

private:
    int column(const ResultWindow& window, std::uint8_t id) const;

    std::vector<ResultWindow*> m_windows;
};

} // namespace kav
