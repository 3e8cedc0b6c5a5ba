// Feeds scripted lines through the race feed's own device and checks what the results models and the
// run's information hold, as the windows and the panel would show them. The scripts in tests/data/race
// hold the lines and the expected screens; their commands are explained at the top of each script.

#include <gtest/gtest.h>

#include <QFile>

#include <functional>
#include <map>
#include <sstream>

#include "feed_harness.h"
#include "flag_look.h"

using namespace kav;

namespace {

using Lines = std::vector<std::string>;

struct Script {
    std::map<std::string, Lines> blocks;
    std::vector<std::pair<std::string, Lines>> scenarios;
};

Script readScript(const QString& name)
{
    QFile file(QStringLiteral(KAV_TEST_DATA "/race/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    Script script;
    Lines* into = nullptr;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const std::string line = raw.toStdString();
        if (line.rfind("block ", 0) == 0)
            into = &script.blocks[line.substr(6)];
        else if (line.rfind("scenario ", 0) == 0)
            into = &script.scenarios.emplace_back(line.substr(9), Lines{}).second;
        else if (into && !line.empty() && line[0] != '#')
            into->push_back(line);
    }
    return script;
}

// "a | b |" gives "a", "b" and "".
Lines split(const std::string& text)
{
    Lines parts;
    for (const QString& part : QString::fromStdString(text).split(QLatin1Char('|')))
        parts.push_back(part.trimmed().toStdString());
    return parts;
}

class ScreenScript {
public:
    explicit ScreenScript(const Script& script) : m_script(script) {}

    void run(const Lines& lines)
    {
        for (const std::string& line : lines) {
            SCOPED_TRACE(line);
            const std::size_t colon = line.find(':');
            std::istringstream words(line.substr(0, colon));
            std::string command;
            words >> command;
            const std::string expected = colon == std::string::npos ? std::string() : line.substr(colon + 1);
            step(command, words, expected.empty() || expected[0] != ' ' ? expected : expected.substr(1), line);
        }
    }

private:
    void step(const std::string& command, std::istringstream& words, const std::string& expected,
              const std::string& line)
    {
        std::string name;
        int id = 0, rows = 0;
        if (command == "use")
            run(m_script.blocks.at(line.substr(4)));
        else if (command == "feed")
            h.feedLines(line.substr(5));
        else if (command == "open")
            open(words);
        else if (command == "column" && words >> name >> id >> rows)
            EXPECT_EQ(h.column(m_windows.at(name), static_cast<std::uint8_t>(id), rows), split(expected));
        else if (command == "cell" && words >> name >> id >> rows)
            EXPECT_EQ(h.cell(m_windows.at(name), static_cast<std::uint8_t>(id), rows).toStdString(), expected);
        else if (command == "text" && words >> name >> id >> rows)
            EXPECT_EQ(h.cell(m_windows.at(name), static_cast<std::uint8_t>(id), rows).trimmed().toStdString(),
                      expected);
        else if (command == "picture" && words >> name >> rows)
            EXPECT_EQ(h.shownPicture(m_windows.at(name), rows), expected);
        else if (command == "pictures" && words >> name >> rows)
            EXPECT_EQ(h.pictures(m_windows.at(name), rows), split(expected));
        else if (command == "label" && words >> id)
            EXPECT_EQ(h.label(id).trimmed().toStdString(), expected);
        else if (command == "state" && words >> name)
            EXPECT_EQ(stateValue(name), expected);
        else if (command == "set" && words >> name >> id)
            set(name, id);
        else
            ADD_FAILURE() << "not a script command";
    }

    void open(std::istringstream& words)
    {
        static const std::map<std::string, std::uint8_t> kinds = {{"race", kLayoutCurrentRace},
                                                                  {"lap", kLayoutCompletedLap},
                                                                  {"practice", kLayoutPractice},
                                                                  {"track", kLayoutTrackPositions}};
        std::string name, kind;
        words >> name >> kind;
        std::vector<std::uint8_t> columns;
        for (int id = 0; words >> id;)
            columns.push_back(static_cast<std::uint8_t>(id));
        m_windows[name] = h.open(kinds.at(kind), columns.empty() ? FeedHarness::allColumns() : columns);
    }

    std::string stateValue(const std::string& name)
    {
        const RaceState& state = h.Feed.State;
        const std::map<std::string, std::function<std::string()>> values = {
            {"run", [&] { return state.RunName; }},
            {"errors", [&] { return std::to_string(state.ErrorCount); }},
            {"finished", [&] { return std::to_string(state.RaceFinished); }},
            {"snapshot", [&] { return std::to_string(state.LapRaceList.count()); }},
            {"competitors", [&] { return std::to_string(state.CompList.count()); }},
            {"passings", [&] { return std::to_string(state.CurrentPassingList.count()); }},
            {"standby", [&] { return std::to_string(h.StandByWaiting) + std::to_string(state.StandByShown); }},
            {"track", [&] { return h.Settings->TrackName + " " + std::to_string(h.Settings->TrackLength); }},
            {"lamp", [&] { return lampName(lampColour(h.Feed.Info.flag())); }},
            {"hint", [&] { return h.Feed.Info.errorHint().toStdString(); }},
        };
        return values.at(name)();
    }

    static std::string lampName(ColorValue colour)
    {
        const std::map<ColorValue, std::string> names = {{0x0000FF, "red"}, {0x00FFFF, "yellow"}, {0x00FF00, "green"}};
        return names.count(colour) ? names.at(colour) : std::to_string(colour);
    }

    // Settings and time: "set markerdelay 5", "set clock 36004" (seconds of the day), "set expire 0".
    void set(const std::string& name, int value)
    {
        if (name == "markerdelay")
            h.Settings.change([value](MainSettings& settings) { settings.MarkerDelay = value; });
        else if (name == "clock")
            h.Clock.set(value * kTicksPerSecond);
        else if (name == "expire")
            h.Feed.Records.expireMarkers();
        else if (name == "tracklabels")
            h.Feed.Info.setTrack(h.Settings->TrackLength, h.Settings->TrackName);
    }

    const Script& m_script;
    FeedHarness h;
    std::map<std::string, ResultsView> m_windows;
};

class Scripts : public ::testing::TestWithParam<const char*> {};

TEST_P(Scripts, ShowWhatTheirFeedLinesShouldShow)
{
    const Script script = readScript(QString::fromLatin1(GetParam()));
    ASSERT_FALSE(script.scenarios.empty());
    for (const auto& [name, lines] : script.scenarios) {
        SCOPED_TRACE(name);
        ScreenScript(script).run(lines);
    }
}

INSTANTIATE_TEST_SUITE_P(Race, Scripts, ::testing::Values("race.txt", "practice.txt", "records.txt"));

} // namespace
