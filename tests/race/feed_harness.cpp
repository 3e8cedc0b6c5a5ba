#include "feed_harness.h"

#include <algorithm>

#include "result_roles.h"

namespace kav {

FeedHarness::FeedHarness() : Feed(Device, Settings, Clock)
{
    QObject::connect(&Feed.Records, &RecordProcessor::standByChanged,
                     [this](bool waiting) { StandByWaiting = waiting; });
}

ResultsView FeedHarness::open(std::uint8_t kind, std::vector<std::uint8_t> columns)
{
    Feed.Content.refillKind(kind);
    return {kind, std::move(columns)};
}

QVariant FeedHarness::data(const ResultsView& view, std::uint8_t id, int row, int role) const
{
    if (std::find(view.Columns.begin(), view.Columns.end(), id) == view.Columns.end())
        return {};
    return Feed.Models.forKind(view.Kind).index(row - 1, id).data(role);
}

QString FeedHarness::cell(const ResultsView& view, std::uint8_t id, int row) const
{
    return data(view, id, row, Qt::DisplayRole).toString();
}

std::string FeedHarness::shownPicture(const ResultsView& view, int row) const
{
    return data(view, kResultMarkerColumn, row, kMarkerNameRole).toString().toStdString();
}

std::vector<std::string> FeedHarness::pictures(const ResultsView& view, int rows) const
{
    std::vector<std::string> names;
    for (int row = 1; row <= rows; ++row)
        names.push_back(shownPicture(view, row));
    return names;
}

std::vector<std::string> FeedHarness::column(const ResultsView& view, std::uint8_t id, int rows) const
{
    std::vector<std::string> texts;
    for (int row = 1; row <= rows; ++row)
        texts.push_back(cell(view, id, row).trimmed().toStdString());
    return texts;
}

std::pair<ColorValue, ColorValue> FeedHarness::rowColours(const ResultsView& view, int row) const
{
    const QModelIndex index = Feed.Models.forKind(view.Kind).index(row - 1, 0);
    const QVariant text = index.data(kTextColourValueRole), back = index.data(kBackgroundColourValueRole);
    return {text.isValid() ? text.toInt() : -1, back.isValid() ? back.toInt() : -1};
}

} // namespace kav
