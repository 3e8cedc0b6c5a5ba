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
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

bool IsEmptyFolder(const QString& path)
{
    return QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST_F(ConfigDir, AnExplicitFolderWinsAndIsMade)
{
    const QString chosen = ChooseConfigDir(Path("conf/kav"), Path("program"));
    EXPECT_EQ(chosen, Path("conf/kav") + '/');
    EXPECT_TRUE(QFileInfo(chosen).isDir());
}

TEST_F(ConfigDir, ARelativeExplicitFolderComesBackAbsolute)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const QString chosen = ChooseConfigDir(QStringLiteral("rel"), QString());
    QDir::setCurrent(previous);
    EXPECT_EQ(chosen, QDir(m_dir.path()).absoluteFilePath(QStringLiteral("rel")) + '/');
}

TEST_F(ConfigDir, AnExplicitFolderThatCannotBeMadeGivesNothing)
{
    EXPECT_EQ(ChooseConfigDir(Path("plain.txt/conf"), m_dir.path()), QString());
    EXPECT_EQ(ChooseConfigDir(Path("plain.txt"), m_dir.path()), QString());
}

TEST_F(ConfigDir, AWritableProgramFolderIsUsedAndLeftAsItWas)
{
    ASSERT_TRUE(QDir().mkpath(Path("program")));
    EXPECT_EQ(ChooseConfigDir(QString(), Path("program")), Path("program") + '/');
    EXPECT_TRUE(IsEmptyFolder(Path("program")));
    EXPECT_EQ(ChooseConfigDir(QString(), Path("program") + '/'), Path("program") + '/');
}

TEST_F(ConfigDir, AnUnusableProgramFolderFallsBackToTheUsersConfigFolder)
{
    // The user's configuration folder inside the test's folder.
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Path("home-config").toUtf8());
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    for (const QString& program : {Path("plain.txt/bin"), Path("missing"), QString()}) {
        const QString chosen = ChooseConfigDir(QString(), program);
        EXPECT_EQ(chosen, expected + '/') << program.toStdString();
        EXPECT_TRUE(chosen.startsWith(Path("home-config")));
        EXPECT_TRUE(QFileInfo(chosen).isDir());
    }
    if (previous.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", previous);
}
