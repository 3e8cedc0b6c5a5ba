#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fed_device.h"
#include "race_feed.h"

namespace kav {

// The columns a result window of a kind would show; the harness reads the kind's results model through
// its roles and, like the window, shows nothing of a column it leaves out.
struct ResultsView {
    std::uint8_t Kind = 0;
    std::vector<std::uint8_t> Columns;
};

// What the feed makes, without a window, wired to its device as in the program: feeds lines through the
// device and reads back the results models and the run's information.
class FeedHarness : public FedDevice {
public:
    FeedHarness();

    // A view of the kind; its rows are refilled as when a window opens.
    ResultsView open(std::uint8_t kind, std::vector<std::uint8_t> columns = allColumns());

    // What column id of a row shows; empty when the view leaves the column out.
    QString cell(const ResultsView& view, std::uint8_t id, int row) const;
    // The marker of a row: "white flag", "red cross", ... or "" for none.
    std::string shownPicture(const ResultsView& view, int row) const;
    std::vector<std::string> pictures(const ResultsView& view, int rows) const;
    // A column's texts for rows 1 to rows, without surrounding blanks.
    std::vector<std::string> column(const ResultsView& view, std::uint8_t id, int rows) const;
    // The row's own text and background colour values; -1 for one the window's colours paint.
    std::pair<ColorValue, ColorValue> rowColours(const ResultsView& view, int row) const;
    QString label(int item) const { return Feed.Info.value(item); }
    int rowCount(std::uint8_t kind) const { return Feed.Models.forKind(kind).rowCount(); }

    RaceFeed Feed;
    // What the record processor last said of the stand-by message.
    bool StandByWaiting = false;

private:
    QVariant data(const ResultsView& view, std::uint8_t id, int row, int role) const;
};

} // namespace kav
