#include "harness.h"

#include "zeb_grid.h"

namespace kav {

THarness::THarness() : Ctl(Device, Settings, Panel, Message, Clock)
{
    Settings.TrackLength = 4000;
    Settings.SpeedDecimals = 2;
}

THarness::~THarness()
{
    for (TFResults* window : m_windows)
        delete window;
}

std::vector<std::uint8_t> THarness::AllColumns()
{
    std::vector<std::uint8_t> columns;
    for (std::uint8_t id = 0; id < kColumnIds; ++id)
        columns.push_back(id);
    return columns;
}

TFResults& THarness::Open(std::uint8_t kind, std::vector<std::uint8_t> columns)
{
    auto* window = new TFResults(Ctl.Models, Headers, ColumnDialog);
    TResultWinRec rec;
    rec.Number = static_cast<std::uint8_t>(m_windows.size() + 1);
    rec.Layout = kind;
    for (std::size_t p = 0; p < columns.size(); ++p)
        rec.ColRel[p] = columns[p];
    window->ApplyLayout(rec);
    m_windows.push_back(window);
    Ctl.Windows.Add(window);
    Ctl.Content.RefillKind(kind);
    return *window;
}

void THarness::Feed(const std::string& line)
{
    Device.receiveBytes(QByteArray::fromStdString(line + "\n"));
}

void THarness::Feed(std::initializer_list<std::string> lines)
{
    for (const std::string& line : lines)
        Feed(line);
}

int THarness::Column(const TFResults& window, std::uint8_t id) const
{
    const std::uint8_t col = window.Record().ColPos[id];
    return col == kNoCode ? -1 : col;
}

QString THarness::Cell(const TFResults& window, std::uint8_t id, int row) const
{
    const int col = Column(window, id);
    return col < 0 ? QString() : window.Grid().GetCell(col, row);
}

std::string THarness::Picture(const TFResults& window, int row) const
{
    static const std::vector<std::pair<std::uint8_t, std::string>> kRoles = {
        {0, "white flag"}, {1, "grey flag"}, {2, "black flag"},   {3, "chequered flag"},
        {4, "green ball"}, {6, "red cross"}, {255, "green arrow"}};
    const int col = Column(window, 1);
    const TPicture* picture = col < 0 ? nullptr : window.Grid().GetGraphic(col, row);
    for (const auto& [code, role] : kRoles) {
        if (picture && picture == Ctl.Pictures.ForCode(code))
            return role;
    }
    return picture ? "other" : "";
}

std::vector<std::string> THarness::Pictures(const TFResults& window, int rows) const
{
    std::vector<std::string> roles;
    for (int row = 1; row <= rows; ++row)
        roles.push_back(Picture(window, row));
    return roles;
}

std::vector<std::string> THarness::Column(const TFResults& window, std::uint8_t id, int rows) const
{
    std::vector<std::string> texts;
    for (int row = 1; row <= rows; ++row)
        texts.push_back(Cell(window, id, row).trimmed().toStdString());
    return texts;
}

std::pair<TColorValue, TColorValue> THarness::RowColours(const TFResults& window, int row) const
{
    const ResultsModel::RowColours& colours = Ctl.Models.forKind(window.Record().Layout).rowColours(row - 1);
    return colours.set ? std::pair(colours.text, colours.background)
                       : std::pair(window.Grid().TextColor(), window.Grid().Color());
}

} // namespace kav
