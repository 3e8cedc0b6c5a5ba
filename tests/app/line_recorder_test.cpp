#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "harness.h" // PrintTo for QString
#include "line_recorder.h"

using namespace kav;

namespace {

QByteArray Content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

// A place that cannot be opened is named; a failed write stops the recording quietly, and opening
// again starts afresh.
TEST(Recorder, APlaceThatCannotBeWrittenIsReportedAndStopsTheRecording)
{
    QTemporaryDir dir;
    TLineRecorder recorder;
    QString error;
    EXPECT_FALSE(recorder.Open(dir.filePath("no/such/folder/rec.feed"), error));
    EXPECT_TRUE(error.contains(dir.filePath("no/such/folder/rec.feed"))) << error.toStdString();
    EXPECT_FALSE(recorder.Open(dir.path(), error));
    EXPECT_TRUE(error.contains(dir.path())) << error.toStdString();
    recorder.Write("$F\n"); // not open: nothing happens
    EXPECT_FALSE(recorder.Failed());

    ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/dev/full"))) << "/dev/full makes the writes fail";
    ASSERT_TRUE(recorder.Open(QStringLiteral("/dev/full"), error)) << error.toStdString();
    recorder.Write("$F,1\n");
    EXPECT_TRUE(recorder.Failed());
    EXPECT_FALSE(recorder.Recording());
    EXPECT_TRUE(recorder.Error().contains(QStringLiteral("/dev/full"))) << recorder.Error().toStdString();
    ASSERT_TRUE(recorder.Open(dir.filePath("next.feed"), error)) << error.toStdString();
    EXPECT_FALSE(recorder.Failed());
    recorder.Write("$F,2\n");
    EXPECT_EQ(Content(dir.filePath("next.feed")), "$F,2\n");
}
