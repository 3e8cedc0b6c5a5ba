// The user manual's pictures: the built manual carries the race charts' pictures, and a picture the
// manual names but that cannot be read stops the build instead of leaving a gap.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, errors;
};

ToolRun run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(ManualPictures, TheBuiltManualShowsTheRaceCharts)
{
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    ASSERT_FALSE(pdfimages.isEmpty()) << "pdfimages is missing: install poppler-utils (scripts/setup.sh does)";
    const ToolRun images = run(pdfimages, {QStringLiteral("-list"), QStringLiteral(KAV_MANUAL_PDF)});
    ASSERT_EQ(images.exitCode, 0) << images.errors.toStdString();
    // Two heading lines, then one line per picture; an image may come with its transparency mask.
    EXPECT_GE(images.out.trimmed().split(u'\n').size() - 2, 3) << images.out.toStdString();
}

TEST(ManualPictures, APictureThatCannotBeReadFailsTheManual)
{
    QTemporaryDir dir;
    QFile markdown(dir.filePath("guide.md"));
    ASSERT_TRUE(markdown.open(QIODevice::WriteOnly));
    markdown.write("# Guide\n\nSee below.\n\n![A chart](images/missing.png)\n");
    markdown.close();
    const QString pdf = dir.filePath("guide.pdf");
    const ToolRun tool = run(QStringLiteral(KAV_MANUAL_TOOL), {markdown.fileName(), pdf});
    EXPECT_EQ(tool.exitCode, 1);
    EXPECT_TRUE(tool.errors.contains("images/missing.png")) << tool.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

} // namespace
