#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "line_recorder.h"
#include "qstring_printer.h"

using namespace kav;

namespace {

QByteArray content(const QString& path)
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
    LineRecorder recorder;
    QString error;
    EXPECT_FALSE(recorder.open(dir.filePath("no/such/folder/rec.feed"), error));
    EXPECT_TRUE(error.contains(dir.filePath("no/such/folder/rec.feed"))) << error.toStdString();
    EXPECT_FALSE(recorder.open(dir.path(), error));
    EXPECT_TRUE(error.contains(dir.path())) << error.toStdString();
    recorder.write("$F\n"); // not open: nothing happens
    EXPECT_FALSE(recorder.failed());

    ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/dev/full"))) << "/dev/full makes the writes fail";
    ASSERT_TRUE(recorder.open(QStringLiteral("/dev/full"), error)) << error.toStdString();
    recorder.write("$F,1\n");
    EXPECT_TRUE(recorder.failed());
    EXPECT_FALSE(recorder.recording());
    EXPECT_TRUE(recorder.error().contains(QStringLiteral("/dev/full"))) << recorder.error().toStdString();
    ASSERT_TRUE(recorder.open(dir.filePath("next.feed"), error)) << error.toStdString();
    EXPECT_FALSE(recorder.failed());
    recorder.write("$F,2\n");
    ASSERT_TRUE(recorder.open(dir.filePath("next.feed"), error)) << "a recording goes on at the file's end";
    recorder.write("$F,3\n");
    EXPECT_EQ(content(dir.filePath("next.feed")), "$F,2\n$F,3\n");
}
