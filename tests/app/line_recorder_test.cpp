#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "harness.h" // PrintTo for QString
#include "line_recorder.h"

using namespace kav;

namespace {

class Recorder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray Content(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir m_dir;
    TLineRecorder recorder;
};

} // namespace

TEST_F(Recorder, AppendsTheLinesByteForByteAndEachIsOnDiskAtOnce)
{
    const QString path = Path("session.feed");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("$I,\"old\"\n");
    }
    QString error;
    ASSERT_TRUE(recorder.Open(path, error)) << error.toStdString();
    QByteArray expected = Content(path);
    const QList<QByteArray> lines = {"$A,\"1\"\r\n", "\n", QByteArray("$B,\0\xff\xfe\n", 7), "$G,1,\"no LF\""};
    for (const QByteArray& line : lines) {
        recorder.Write(line);
        expected += line;
        EXPECT_EQ(Content(path), expected); // read while the recorder still holds the file
    }
    EXPECT_TRUE(recorder.Recording());
    EXPECT_FALSE(recorder.Failed());
}

TEST_F(Recorder, APlaceThatCannotBeWrittenIsReported)
{
    QString error;
    EXPECT_FALSE(recorder.Open(Path("no/such/folder/rec.feed"), error));
    EXPECT_TRUE(error.contains(Path("no/such/folder/rec.feed"))) << error.toStdString();
    EXPECT_FALSE(recorder.Open(m_dir.path(), error));
    EXPECT_TRUE(error.contains(m_dir.path())) << error.toStdString();
    EXPECT_FALSE(recorder.Recording());
    recorder.Write("$F\n"); // not open: nothing happens
    EXPECT_FALSE(recorder.Failed());
}

TEST_F(Recorder, AFailedWriteStopsTheRecordingQuietly)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "needs /dev/full to make writes fail";
    QString error;
    ASSERT_TRUE(recorder.Open(QStringLiteral("/dev/full"), error)) << error.toStdString();
    recorder.Write("$F,1\n");
    EXPECT_TRUE(recorder.Failed());
    EXPECT_FALSE(recorder.Recording());
    EXPECT_TRUE(recorder.Error().contains(QStringLiteral("/dev/full"))) << recorder.Error().toStdString();
    recorder.Write("$F,2\n");
    EXPECT_TRUE(recorder.Failed());
}

TEST_F(Recorder, OpeningAgainStartsAFreshRecording)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "needs /dev/full to make writes fail";
    QString error;
    ASSERT_TRUE(recorder.Open(QStringLiteral("/dev/full"), error));
    recorder.Write("$F,1\n");
    ASSERT_TRUE(recorder.Failed());
    ASSERT_TRUE(recorder.Open(Path("next.feed"), error)) << error.toStdString();
    EXPECT_FALSE(recorder.Failed());
    recorder.Write("$F,2\n");
    EXPECT_EQ(Content(Path("next.feed")), "$F,2\n");
}
