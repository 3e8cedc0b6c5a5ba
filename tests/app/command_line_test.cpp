#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "command_line.h"
#include "harness.h" // PrintTo for QString

using namespace kav;

namespace {

// A folder with a recorded feed, a layout and a plain file; "{dir}" in an argument stands for it.
class CommandLineFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Make("race.feed", "$F,9999,\"00:00:00\",\"12:00:00\",\"00:00:00\",\"Green \"\n");
        Make("race.kvl", "[Layout]\n");
        Make("plain.txt", "");
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    void Make(const QString& name, const QByteArray& content)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    TCommandLineResult Parse(const QStringList& arguments) const
    {
        QStringList filled;
        for (QString argument : arguments)
            filled.append(argument.replace(QStringLiteral("{dir}"), m_dir.path()));
        return ParseCommandLine(filled);
    }

    QTemporaryDir m_dir;
};

struct TErrorCase {
    const char* name;
    QStringList arguments;
    QString named; // what the message must name
};

void PrintTo(const TErrorCase& error, std::ostream* os)
{
    *os << error.name;
}

class CommandLineErrors : public CommandLineFiles, public ::testing::WithParamInterface<TErrorCase> {};

} // namespace

TEST_P(CommandLineErrors, GiveOneLineNamingTheProblem)
{
    const TCommandLineResult result = Parse(GetParam().arguments);
    EXPECT_FALSE(result.Options.has_value());
    QString named = GetParam().named;
    named.replace(QStringLiteral("{dir}"), m_dir.path());
    EXPECT_TRUE(result.Error.contains(named)) << result.Error.toStdString();
    EXPECT_FALSE(result.Error.contains(u'\n')) << result.Error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineErrors,
    ::testing::Values(
        TErrorCase{"unknown_option", {"--speed", "3"}, "--speed"},
        TErrorCase{"unknown_option_with_value", {"--speed=3"}, "--speed"},
        TErrorCase{"single_dash_option", {"-platform", "xcb"}, "-platform"},
        TErrorCase{"stray_argument", {"{dir}/race.feed"}, "race.feed"}, TErrorCase{"bare_double_dash", {"--"}, "--"},
        TErrorCase{"missing_value_at_end", {"--replay"}, "--replay"},
        TErrorCase{"option_where_value_belongs", {"--layout", "--replay", "{dir}/race.feed"}, "--layout"},
        TErrorCase{"empty_inline_value", {"--record="}, "--record"},
        TErrorCase{"value_on_a_switch", {"--help=yes"}, "--help"},
        TErrorCase{"option_given_twice", {"--record", "{dir}/a", "--record", "{dir}/b"}, "--record"},
        TErrorCase{"rate_not_a_number", {"--replay", "{dir}/race.feed", "--rate", "fast"}, "fast"},
        TErrorCase{"rate_zero", {"--replay", "{dir}/race.feed", "--rate=0"}, "--rate"},
        TErrorCase{"rate_negative", {"--replay", "{dir}/race.feed", "--rate", "-5"}, "--rate"},
        TErrorCase{"rate_infinite", {"--replay", "{dir}/race.feed", "--rate", "inf"}, "--rate"},
        TErrorCase{"rate_without_replay", {"--rate", "10"}, "--rate"},
        TErrorCase{"dump_without_replay", {"--dump", "{dir}/out"}, "--dump"},
        TErrorCase{"replay_file_missing", {"--replay", "{dir}/none.feed"}, "{dir}/none.feed"},
        TErrorCase{"replay_file_is_a_folder", {"--replay", "{dir}"}, "--replay"},
        TErrorCase{"layout_file_missing", {"--layout={dir}/none.kvl"}, "{dir}/none.kvl"},
        TErrorCase{"config_dir_is_a_file", {"--config-dir", "{dir}/plain.txt"}, "{dir}/plain.txt"},
        TErrorCase{"record_in_a_missing_folder", {"--record", "{dir}/no/such/rec.feed"}, "{dir}/no/such/rec.feed"},
        TErrorCase{"record_is_a_folder", {"--record", "{dir}"}, "--record"},
        TErrorCase{"dump_is_a_file", {"--replay", "{dir}/race.feed", "--dump", "{dir}/plain.txt"}, "{dir}/plain.txt"},
        TErrorCase{"web_port_too_large", {"--web", "65536"}, "65536"},
        TErrorCase{"web_port_not_a_number", {"--web=http"}, "http"},
        TErrorCase{"web_bind_without_web", {"--web-bind", "127.0.0.1"}, "--web"},
        TErrorCase{"web_bind_not_an_address", {"--web", "8080", "--web-bind", "track.local"}, "track.local"},
        TErrorCase{"dump_below_a_file",
                   {"--replay", "{dir}/race.feed", "--dump", "{dir}/plain.txt/out"},
                   "{dir}/plain.txt/out"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLineFiles, NoArgumentsGiveTheDefaults)
{
    const TCommandLineResult result = Parse({});
    ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
    EXPECT_EQ(*result.Options, TCommandLine{});
}

TEST_F(CommandLineFiles, EveryOptionInBothSpellings)
{
    TCommandLine expected;
    expected.ConfigDir = Path("config");
    expected.Layout = Path("race.kvl");
    expected.Replay = Path("race.feed");
    expected.Rate = 2.5;
    expected.Dump = Path("dump/final");
    expected.Record = Path("plain.txt");
    expected.WebPort = 0;
    expected.WebBind = "::1";
    const QStringList separate = {"--config-dir", expected.ConfigDir,
                                  "--layout",     expected.Layout,
                                  "--replay",     expected.Replay,
                                  "--rate",       "2.5",
                                  "--dump",       expected.Dump,
                                  "--record",     expected.Record,
                                  "--web",        "0",
                                  "--web-bind",   "::1"};
    const QStringList joined = {"--record=" + expected.Record,
                                "--dump=" + expected.Dump,
                                "--rate=2.5",
                                "--replay=" + expected.Replay,
                                "--layout=" + expected.Layout,
                                "--config-dir=" + expected.ConfigDir,
                                "--web-bind=::1",
                                "--web=0"};
    for (const QStringList& arguments : {separate, joined}) {
        const TCommandLineResult result = Parse(arguments);
        ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
        EXPECT_EQ(*result.Options, expected) << arguments.join(' ').toStdString();
    }
}

TEST_F(CommandLineFiles, ValuesMayHoldEqualsSignsAndStartWithOneDash)
{
    Make("a=b.feed", "");
    Make("-odd.kvl", "");
    const TCommandLineResult result = Parse({"--replay={dir}/a=b.feed", "--layout", "-odd.kvl"});
    // "-odd.kvl" is relative to the working folder, where it does not exist: it was taken as the value.
    EXPECT_TRUE(result.Error.contains(QStringLiteral("-odd.kvl"))) << result.Error.toStdString();
    const TCommandLineResult inFolder = Parse({"--replay={dir}/a=b.feed", "--layout", Path("-odd.kvl")});
    ASSERT_TRUE(inFolder.Options.has_value()) << inFolder.Error.toStdString();
    EXPECT_EQ(inFolder.Options->Replay, Path("a=b.feed"));
}

TEST_F(CommandLineFiles, HelpAndVersionSkipTheFileChecks)
{
    const TCommandLineResult help = Parse({"--replay", "{dir}/none.feed", "--help"});
    ASSERT_TRUE(help.Options.has_value()) << help.Error.toStdString();
    EXPECT_TRUE(help.Options->Help);
    const TCommandLineResult version = Parse({"--version", "--record", "{dir}/no/such/rec.feed"});
    ASSERT_TRUE(version.Options.has_value()) << version.Error.toStdString();
    EXPECT_TRUE(version.Options->Version);
    EXPECT_FALSE(Parse({"--help", "--bogus"}).Options.has_value());
}

TEST_F(CommandLineFiles, ReplayWithoutRateRunsAsFastAsPossible)
{
    const TCommandLineResult result = Parse({"--replay", "{dir}/race.feed"});
    ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
    EXPECT_EQ(result.Options->Rate, 0);
}

TEST_F(CommandLineFiles, CheckingLeavesNoNewRecordFileAndKeepsAnOldOne)
{
    ASSERT_TRUE(Parse({"--record", "{dir}/new.feed"}).Options.has_value());
    EXPECT_FALSE(QFileInfo::exists(Path("new.feed")));
    Make("old.feed", "$F\n");
    ASSERT_TRUE(Parse({"--record", "{dir}/old.feed"}).Options.has_value());
    QFile old(Path("old.feed"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "$F\n");
}

TEST_F(CommandLineFiles, TheDumpFolderIsMadeOnlyWhenAllElseIsRight)
{
    EXPECT_FALSE(
        Parse({"--replay", "{dir}/race.feed", "--layout", "{dir}/none.kvl", "--dump", "{dir}/d1"}).Options.has_value());
    EXPECT_FALSE(QFileInfo::exists(Path("d1")));
    ASSERT_TRUE(Parse({"--replay", "{dir}/race.feed", "--dump", "{dir}/d2/deeper"}).Options.has_value());
    EXPECT_TRUE(QFileInfo(Path("d2/deeper")).isDir());
    EXPECT_TRUE(QDir(Path("d2/deeper")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(CommandLineTexts, UsageNamesEveryOptionAndVersionTheProgram)
{
    const QString usage = UsageText();
    for (const char* option :
         {"--config-dir", "--layout", "--replay", "--rate", "--dump", "--record", "--version", "--help"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(VersionText().startsWith(QStringLiteral("Kavendor ")));
}
