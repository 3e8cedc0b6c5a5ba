#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "case_table.h"
#include "child_process.h"
#include "qt_files.h"

namespace kav {
namespace {

const QString kTool = QStringLiteral(KAV_MANUAL_TOOL);

// The text and the document information of a PDF, read back with poppler.
struct PdfReadBack {
    QString text; // line breaks and the spaces of justified text as single blanks
    QString info;
};

PdfReadBack readPdf(const QString& pdf)
{
    EXPECT_TRUE(toolInstalled(QStringLiteral("pdftotext")));
    EXPECT_TRUE(toolInstalled(QStringLiteral("pdfinfo")));
    const ProcessResult text = runProcess(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"});
    return {QString::fromUtf8(text.out).simplified(),
            QString::fromUtf8(runProcess(QStringLiteral("pdfinfo"), {pdf}).out)};
}

// The built manual carries the race charts' pictures: two heading lines of pdfimages, then one line per
// picture (an image may come with its transparency mask).
TEST(ManualPdf, ShowsTheRaceCharts)
{
    ASSERT_TRUE(toolInstalled(QStringLiteral("pdfimages")));
    const ProcessResult images = runProcess(QStringLiteral("pdfimages"), {"-list", QStringLiteral(KAV_MANUAL_PDF)});
    ASSERT_EQ(images.status, 0) << images.err.toStdString();
    EXPECT_GE(images.out.trimmed().split('\n').size() - 2, 3) << images.out.toStdString();
}

TEST(ManualPdfTool, RendersTheMarkdownTheManualUses)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("in.md"));
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    ASSERT_TRUE(writeAll(input,
                         "# Sample Guide\n\nPlain *emphasis* and **bold** at Z\xc3\xbcrich, in the configuration "
                         "folder.\n\n| key | value |\n|---|---|\n| `TCPIP_Port` | 50000 |\n\n"
                         "- first item\n- second item\n\n```\nkavendor --help\n```\n"));
    const ProcessResult run = runProcess(kTool, {input, out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const PdfReadBack read = readPdf(out);
    for (const char* needle : {"Sample Guide", "emphasis and bold at Zürich, in the configuration folder",
                               "TCPIP_Port 50000", "second item", "kavendor --help"})
        EXPECT_TRUE(read.text.contains(QString::fromUtf8(needle))) << needle << " in: " << read.text.toStdString();
    EXPECT_TRUE(read.info.contains(QRegularExpression(QStringLiteral("Title:\\s+Sample Guide\n"))));
}

// Wrong arguments exit with 2 and the usage; an input, output or picture that cannot be used with 1,
// naming it.
TEST(ManualPdfTool, ExitStatusTellsWhatWentWrongAndNothingIsWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("in.md")), "# Title\n"));
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("guide.md")), "# Guide\n\n![A chart](images/missing.png)\n"));
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/tools/manual_tool_faults.txt")) {
        QStringList arguments;
        for (const QString& argument : QString::fromStdString(row.at(1)).split(u' ', Qt::SkipEmptyParts))
            arguments << (argument == "{empty}" ? QString() : QString(argument).replace("{dir}", dir.path()));
        const ProcessResult run = runProcess(kTool, arguments);
        EXPECT_EQ(run.status, std::stoi(row.at(2))) << row[0];
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromStdString(row.at(3)).replace("{dir}", dir.path())))
            << row[0] << ": " << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << row[0];
    }
}

} // namespace
} // namespace kav
