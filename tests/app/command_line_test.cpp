// The program's command line and the folders it chooses for its settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "case_table.h"
#include "command_line.h"
#include "installed_files.h"
#include "qstring_printer.h"
#include "qt_files.h"

using namespace kav;

namespace {

// A folder with a recorded feed, a layout and a plain file; "{dir}" in an argument stands for it.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        make("race.feed", "$F,9999,\"00:00:00\",\"12:00:00\",\"00:00:00\",\"Green \"\n");
        make("race.kvl", "[Layout]\n");
        make("plain.txt", "");
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    QString pathOf(const QString& name) const { return m_dir.filePath(name); }
    QString Filled(QString text) const { return text.replace(QStringLiteral("{dir}"), m_dir.path()); }

    void make(const QString& name, const QByteArray& content) { ASSERT_TRUE(writeAll(pathOf(name), content)); }

    CommandLineResult parse(const QStringList& arguments) const
    {
        QStringList filled;
        for (const QString& argument : arguments)
            filled.append(Filled(argument));
        return parseCommandLine(filled);
    }

    bool Empty(const QString& dir) const
    {
        return QDir(pathOf(dir)).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

} // namespace

// Each error is one line naming the problem.
TEST_F(CommandLine, WrongArgumentsGiveOneLineNamingTheProblem)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/app/command_line_errors.txt")) {
        const CommandLineResult result = parse(QString::fromStdString(row.at(1)).split(u' '));
        const QString named = Filled(QString::fromStdString(row.at(2)));
        EXPECT_FALSE(result.Options.has_value()) << row[0];
        EXPECT_TRUE(result.Error.contains(named) && !result.Error.contains(u'\n'))
            << row[0] << ": " << result.Error.toStdString();
    }
}

TEST_F(CommandLine, EveryOptionInBothSpellingsAndNoneGiveTheDefaults)
{
    ASSERT_TRUE(parse({}).Options.has_value());
    EXPECT_EQ(*parse({}).Options, CommandLineOptions{});
    CommandLineOptions expected;
    expected.ConfigDir = pathOf("config");
    expected.Layout = pathOf("race.kvl");
    expected.Replay = pathOf("race.feed");
    expected.Rate = 2.5;
    expected.ReplayTo = 14 * 36000000 + 5 * 600000 + 3 * 10000 + 5000;
    expected.Dump = pathOf("dump/final");
    expected.Record = pathOf("plain.txt");
    expected.WebPort = 0;
    expected.WebBind = "::1";
    expected.WebDelay = 600;
    const QStringList separate = {"--config-dir", expected.ConfigDir,
                                  "--layout",     expected.Layout,
                                  "--replay",     expected.Replay,
                                  "--rate",       "2.5",
                                  "--replay-to",  "14:05:03.5",
                                  "--dump",       expected.Dump,
                                  "--record",     expected.Record,
                                  "--web",        "0",
                                  "--web-bind",   "::1",
                                  "--web-delay",  "600"};
    QStringList joined; // each option joined to its value, in the reverse order
    for (qsizetype i = 0; i < separate.size(); i += 2)
        joined.prepend(separate[i] + '=' + separate[i + 1]);
    for (const QStringList& arguments : {separate, joined}) {
        const CommandLineResult result = parse(arguments);
        ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
        EXPECT_EQ(*result.Options, expected) << arguments.join(' ').toStdString();
    }
    for (const auto& [argument, window, screen] : {std::tuple{"--fullscreen=3", 3, 0}, {"--fullscreen=2@1", 2, 1}}) {
        const CommandLineResult result = parse({argument});
        ASSERT_TRUE(result.Options) << argument << ": " << result.Error.toStdString();
        EXPECT_EQ(result.Options->FullScreenWindow, window) << argument;
        EXPECT_EQ(result.Options->FullScreenScreen, screen) << argument;
    }
}

// --mqtt and --mqtt-topic: a broker to publish to, checked before anything is made.
TEST(MqttOptions, TakeABrokerAndAPrefix)
{
    const QStringList arguments = {"--mqtt", "broker.local:1884", "--mqtt-topic", "brenmoor/results"};
    const CommandLineResult result = parseCommandLine(arguments);
    ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
    EXPECT_EQ(result.Options->Mqtt, arguments[1]);
    EXPECT_EQ(result.Options->MqttTopic, arguments[3]);
    EXPECT_TRUE(usageText().contains("--mqtt HOST[:PORT]"));
}

// Checking leaves no new record file and keeps an old one; the dump folder is made only when all else
// is right.
TEST_F(CommandLine, CheckingTheArgumentsChangesNoFileUntilAllIsRight)
{
    make("old.feed", "$F\n");
    ASSERT_TRUE(parse({"--record", "{dir}/new.feed"}).Options.has_value());
    ASSERT_TRUE(parse({"--record", "{dir}/old.feed"}).Options.has_value());
    EXPECT_FALSE(QFileInfo::exists(pathOf("new.feed")));
    EXPECT_EQ(readAll(pathOf("old.feed")), "$F\n");
    EXPECT_FALSE(
        parse({"--replay", "{dir}/race.feed", "--layout", "{dir}/none.kvl", "--dump", "{dir}/d1"}).Options.has_value());
    EXPECT_FALSE(QFileInfo::exists(pathOf("d1")));
    ASSERT_TRUE(parse({"--replay", "{dir}/race.feed", "--dump", "{dir}/d2/deeper"}).Options.has_value());
    EXPECT_TRUE(QFileInfo(pathOf("d2/deeper")).isDir());
    EXPECT_TRUE(Empty("d2/deeper"));
}

// An unusable program folder, or an installed program (its data in ../share/kavendor), keeps its
// settings in the user's configuration folder and finds its manual there.
TEST_F(CommandLine, AnUnusableOrInstalledProgramFolderFallsBackToTheUsersConfigFolder)
{
    qputenv("XDG_CONFIG_HOME", pathOf("home-config").toUtf8());
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + '/';
    const QString program = pathOf("usr/bin/");
    const QString data = pathOf("usr/share/kavendor/");
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(installedDataDir(program), QString()) << "a program in its build folder";
    ASSERT_TRUE(QDir().mkpath(data));
    make("usr/share/kavendor/manual.pdf", "");
    EXPECT_EQ(installedDataDir(program), data);
    EXPECT_EQ(findSharedFile(program, "manual.pdf"), data + "manual.pdf");
    EXPECT_EQ(findSharedFile(program, "missing.pdf"), program + "missing.pdf");
    // /proc stands for a folder where no file can be made, even by root.
    for (const QString& dir :
         {pathOf("plain.txt/bin"), pathOf("missing"), QString(), QStringLiteral("/proc"), program}) {
        const QString chosen = chooseConfigDir(QString(), dir);
        EXPECT_EQ(chosen, expected) << dir.toStdString();
        EXPECT_TRUE(chosen.startsWith(pathOf("home-config")) && QFileInfo(chosen).isDir());
    }
    EXPECT_TRUE(Empty("usr/bin"));
}
