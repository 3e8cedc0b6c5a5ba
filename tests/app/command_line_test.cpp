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
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Make("race.feed", "$F,9999,\"00:00:00\",\"12:00:00\",\"00:00:00\",\"Green \"\n");
        Make("race.kvl", "[Layout]\n");
        Make("plain.txt", "");
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Filled(QString text) const { return text.replace(QStringLiteral("{dir}"), m_dir.path()); }

    void Make(const QString& name, const QByteArray& content)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    TCommandLineResult Parse(const QStringList& arguments) const
    {
        QStringList filled;
        for (const QString& argument : arguments)
            filled.append(Filled(argument));
        return ParseCommandLine(filled);
    }

    QTemporaryDir m_dir;
};

} // namespace

// Each error is one line naming the problem.
TEST_F(CommandLine, WrongArgumentsGiveOneLineNamingTheProblem)
{
    const std::tuple<const char*, QStringList, QString> cases[] = {
        {"unknown option", {"--speed", "3"}, "--speed"},
        {"single dash option", {"-platform", "xcb"}, "-platform"},
        {"stray argument", {"{dir}/race.feed"}, "race.feed"},
        {"bare double dash", {"--"}, "--"},
        {"missing value at the end", {"--replay"}, "--replay"},
        {"option where a value belongs", {"--layout", "--replay", "{dir}/race.feed"}, "--layout"},
        {"empty inline value", {"--record="}, "--record"},
        {"value on a switch", {"--help=yes"}, "--help"},
        {"option given twice", {"--record", "{dir}/a", "--record", "{dir}/b"}, "--record"},
        {"rate not a number", {"--replay", "{dir}/race.feed", "--rate", "fast"}, "fast"},
        {"rate zero", {"--replay", "{dir}/race.feed", "--rate=0"}, "--rate"},
        {"rate infinite", {"--replay", "{dir}/race.feed", "--rate", "inf"}, "--rate"},
        {"rate without replay", {"--rate", "10"}, "--rate"},
        {"dump without replay", {"--dump", "{dir}/out"}, "--dump"},
        {"replay file missing", {"--replay", "{dir}/none.feed"}, "{dir}/none.feed"},
        {"replay file is a folder", {"--replay", "{dir}"}, "--replay"},
        {"layout file missing", {"--layout={dir}/none.kvl"}, "{dir}/none.kvl"},
        {"config dir is a file", {"--config-dir", "{dir}/plain.txt"}, "{dir}/plain.txt"},
        {"record in a missing folder", {"--record", "{dir}/no/such/rec.feed"}, "{dir}/no/such/rec.feed"},
        {"dump is a file", {"--replay", "{dir}/race.feed", "--dump", "{dir}/plain.txt"}, "{dir}/plain.txt"},
        {"dump below a file", {"--replay", "{dir}/race.feed", "--dump", "{dir}/plain.txt/out"}, "{dir}/plain.txt/out"},
        {"bogus after help", {"--help", "--bogus"}, "--bogus"},
        {"web port too large", {"--web", "65536"}, "65536"},
        {"web port not a number", {"--web=http"}, "http"},
        {"web bind without web", {"--web-bind", "127.0.0.1"}, "--web"},
        {"web bind not an address", {"--web", "8080", "--web-bind", "track.local"}, "track.local"},
    };
    for (const auto& [name, arguments, named] : cases) {
        const TCommandLineResult result = Parse(arguments);
        EXPECT_FALSE(result.Options.has_value()) << name;
        EXPECT_TRUE(result.Error.contains(Filled(named)) && !result.Error.contains(u'\n'))
            << name << ": " << result.Error.toStdString();
    }
}

TEST_F(CommandLine, EveryOptionInBothSpellingsAndNoneGiveTheDefaults)
{
    ASSERT_TRUE(Parse({}).Options.has_value());
    EXPECT_EQ(*Parse({}).Options, TCommandLine{});
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
    const QStringList joined = {"--web-bind=::1",
                                "--web=0",
                                "--record=" + expected.Record,
                                "--dump=" + expected.Dump,
                                "--rate=2.5",
                                "--replay=" + expected.Replay,
                                "--layout=" + expected.Layout,
                                "--config-dir=" + expected.ConfigDir};
    for (const QStringList& arguments : {separate, joined}) {
        const TCommandLineResult result = Parse(arguments);
        ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
        EXPECT_EQ(*result.Options, expected) << arguments.join(' ').toStdString();
    }
}

TEST_F(CommandLine, ValuesMayHoldEqualsSignsAndStartWithOneDash)
{
    Make("a=b.feed", "");
    Make("-odd.kvl", "");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const TCommandLineResult result = Parse({"--replay={dir}/a=b.feed", "--layout", "-odd.kvl"});
    QDir::setCurrent(previous);
    ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
    EXPECT_EQ(result.Options->Replay, Path("a=b.feed"));
    EXPECT_TRUE(result.Options->Layout.endsWith(QStringLiteral("-odd.kvl"))) << result.Options->Layout.toStdString();
}

TEST_F(CommandLine, HelpAndVersionSkipTheFileChecks)
{
    const TCommandLineResult help = Parse({"--replay", "{dir}/none.feed", "--help"});
    ASSERT_TRUE(help.Options.has_value()) << help.Error.toStdString();
    EXPECT_TRUE(help.Options->Help);
    const TCommandLineResult version = Parse({"--version", "--record", "{dir}/no/such/rec.feed"});
    ASSERT_TRUE(version.Options.has_value()) << version.Error.toStdString();
    EXPECT_TRUE(version.Options->Version);
}

// Checking leaves no new record file and keeps an old one; the dump folder is made only when all else
// is right.
TEST_F(CommandLine, CheckingTheArgumentsChangesNoFileUntilAllIsRight)
{
    Make("old.feed", "$F\n");
    ASSERT_TRUE(Parse({"--record", "{dir}/new.feed"}).Options.has_value());
    ASSERT_TRUE(Parse({"--record", "{dir}/old.feed"}).Options.has_value());
    EXPECT_FALSE(QFileInfo::exists(Path("new.feed")));
    QFile old(Path("old.feed"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "$F\n");
    EXPECT_FALSE(
        Parse({"--replay", "{dir}/race.feed", "--layout", "{dir}/none.kvl", "--dump", "{dir}/d1"}).Options.has_value());
    EXPECT_FALSE(QFileInfo::exists(Path("d1")));
    ASSERT_TRUE(Parse({"--replay", "{dir}/race.feed", "--dump", "{dir}/d2/deeper"}).Options.has_value());
    EXPECT_TRUE(QFileInfo(Path("d2/deeper")).isDir());
    EXPECT_TRUE(QDir(Path("d2/deeper")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}
