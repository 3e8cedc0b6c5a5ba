#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "col_sett_dlg.h"
#include "controller.h"
#include "f_message.h"
#include "f_results.h"
#include "gen_info_panel.h"
#include "kavendor_comm.h"
#include "main_settings.h"

// Readable failure messages for cell texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kav {

// A headless controller with result windows, wired to its device as in the program: feeds lines
// through the device and reads back what the windows and the panel show.
class THarness {
public:
    THarness();
    ~THarness();

    // A window of the kind showing the columns in the given order; the rows are filled at once.
    TFResults& Open(std::uint8_t kind, std::vector<std::uint8_t> columns = AllColumns());
    static std::vector<std::uint8_t> AllColumns();

    // One line, given its LF and received by the device.
    void Feed(const std::string& line);
    void Feed(std::initializer_list<std::string> lines);
    void SetClock(TimeValue time) { Clock.Set(time); }

    // What column id of a row shows; empty when the window does not show the column.
    QString Cell(const TFResults& window, std::uint8_t id, int row) const;
    // The role of the marker picture of a row: "white flag", "red cross", ... or "" for none.
    std::string Picture(const TFResults& window, int row) const;
    std::vector<std::string> Pictures(const TFResults& window, int rows) const;
    // A column's texts for rows 1 to rows, without surrounding blanks.
    std::vector<std::string> Column(const TFResults& window, std::uint8_t id, int rows) const;
    // The text and background colours of a row.
    std::pair<TColorValue, TColorValue> RowColours(const TFResults& window, int row) const;
    QString Label(int item) const { return Panel.ValueText(item); }

    TMainSettings Settings;
    THeaderRec Headers = DefaultHeaders();
    TColSettDlg ColumnDialog;
    TGenInfoPanel Panel;
    TMessage Message;
    TManualClock Clock;
    TKavendorComm Device;
    TController Ctl;

private:
    int Column(const TFResults& window, std::uint8_t id) const;

    std::vector<TFResults*> m_windows;
};

} // namespace kav
