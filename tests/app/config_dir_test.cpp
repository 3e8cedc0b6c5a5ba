#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "command_line.h"
#include "harness.h" // PrintTo for QString

using namespace kav;

namespace {

class ConfigDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile file(Path("plain.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QDir().mkpath(Path("program")));
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

// An explicit folder wins and is made, a relative one comes back absolute, one that cannot be made
// gives nothing; else a writable program folder is used as it is.
TEST_F(ConfigDir, AnExplicitFolderWinsThenAWritableProgramFolder)
{
    const QString chosen = ChooseConfigDir(Path("conf/kav"), Path("program"));
    EXPECT_EQ(chosen, Path("conf/kav") + '/');
    EXPECT_TRUE(QFileInfo(chosen).isDir());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const QString relative = ChooseConfigDir(QStringLiteral("rel"), QString());
    QDir::setCurrent(previous);
    EXPECT_EQ(relative, QDir(m_dir.path()).absoluteFilePath(QStringLiteral("rel")) + '/');
    EXPECT_EQ(ChooseConfigDir(Path("plain.txt/conf"), m_dir.path()), QString());
    EXPECT_EQ(ChooseConfigDir(Path("plain.txt"), m_dir.path()), QString());
    EXPECT_EQ(ChooseConfigDir(QString(), Path("program")), Path("program") + '/');
    EXPECT_EQ(ChooseConfigDir(QString(), Path("program") + '/'), Path("program") + '/');
    EXPECT_TRUE(QDir(Path("program")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(ConfigDir, AnUnusableProgramFolderFallsBackToTheUsersConfigFolder)
{
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Path("home-config").toUtf8());
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + '/';
    // /proc stands for a folder where no file can be made, even by root.
    for (const QString& program : {Path("plain.txt/bin"), Path("missing"), QString(), QStringLiteral("/proc")}) {
        const QString chosen = ChooseConfigDir(QString(), program);
        EXPECT_EQ(chosen, expected) << program.toStdString();
        EXPECT_TRUE(chosen.startsWith(Path("home-config")) && QFileInfo(chosen).isDir());
    }
    if (previous.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", previous);
}
