#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Out, Err;
};

TRun Run(const QString& program, const QStringList& arguments)
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

TRun RunTool(const QStringList& arguments)
{
    return Run(QStringLiteral(KAV_MANUAL_TOOL), arguments);
}

// Line breaks and the spaces of justified or table text vary: compare with single blanks.
QString Flatten(const QString& text)
{
    return text.simplified();
}

bool HavePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QString PdfText(const QString& pdf)
{
    return Flatten(
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
            .Out);
}

QString PdfInfo(const QString& pdf)
{
    return Run(QStringLiteral("pdfinfo"), {pdf}).Out;
}

int PageCount(const QString& info)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The headings of the manual's chapters ("## ..."), as the reader sees them.
QStringList ChapterHeadings(const QString& markdownPath)
{
    QFile file(markdownPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList headings;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("## ")))
            headings << line.mid(3).trimmed();
    }
    return headings;
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

#define SKIP_WITHOUT_POPPLER()                                                                                         \
    if (!HavePoppler())                                                                                                \
    GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are needed to read the PDF back"

class ManualPdf : public ::testing::Test {
protected:
    static QString Pdf() { return QStringLiteral(KAV_MANUAL_PDF); }
};

TEST_F(ManualPdf, IsBuiltBesideTheProgramAsAnA4DocumentOfSeveralPages)
{
    const QFileInfo pdf(Pdf());
    ASSERT_TRUE(pdf.isFile()) << Pdf().toStdString();
    EXPECT_EQ(pdf.fileName(), QStringLiteral("Kavendor User Manual.pdf"));
    SKIP_WITHOUT_POPPLER();
    const QString info = PdfInfo(Pdf());
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Kavendor User Manual"))) << info.toStdString();
    EXPECT_GT(PageCount(info), 3);
}

TEST_F(ManualPdf, ShowsEveryChapterOfTheManual)
{
    SKIP_WITHOUT_POPPLER();
    const QStringList headings = ChapterHeadings(QStringLiteral(KAV_MANUAL_MD));
    ASSERT_GT(headings.size(), 5);
    const QString text = PdfText(Pdf());
    for (const QString& heading : headings)
        EXPECT_TRUE(text.contains(Flatten(heading))) << "missing chapter: " << heading.toStdString();
}

TEST_F(ManualPdf, HoldsTheTextsOperatorsLookFor)
{
    SKIP_WITHOUT_POPPLER();
    const QString text = PdfText(Pdf());
    const std::pair<const char*, QString> rows[] = {
        {"an option in a table", QStringLiteral("--replay")},
        {"a column in a table", QStringLiteral("Best lap-time")},
        {"a marker picture", QStringLiteral("chequered flag")},
        {"the channel settings file", QStringLiteral("Communication.ini")},
        {"a code block", QStringLiteral("sudo usermod -aG dialout")},
        {"a reconnect question", QStringLiteral("Try to reconnect?")},
        {"words a ligature would spoil when copied", QStringLiteral("configuration folder")},
    };
    for (const auto& [what, needle] : rows)
        EXPECT_TRUE(text.contains(needle)) << what << ": " << needle.toStdString();
}

TEST(ManualPdfTool, WrongArgumentsExitWith2)
{
    const std::pair<const char*, QStringList> rows[] = {
        {"no arguments", {}},
        {"no output", {QStringLiteral("in.md")}},
        {"one too many", {QStringLiteral("in.md"), QStringLiteral("out.pdf"), QStringLiteral("extra")}},
        {"empty input name", {QString(), QStringLiteral("out.pdf")}},
    };
    for (const auto& [what, arguments] : rows) {
        const TRun run = RunTool(arguments);
        EXPECT_EQ(run.ExitCode, 2) << what;
        EXPECT_TRUE(run.Err.contains(QStringLiteral("usage"))) << what << ": " << run.Err.toStdString();
    }
}

TEST(ManualPdfTool, UnreadableInputExitsWith1AndWritesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    const std::pair<const char*, QString> rows[] = {
        {"missing file", dir.filePath(QStringLiteral("missing.md"))},
        {"a folder", dir.path()},
    };
    for (const auto& [what, input] : rows) {
        const TRun run = RunTool({input, out});
        EXPECT_EQ(run.ExitCode, 1) << what;
        EXPECT_TRUE(run.Err.contains(input)) << what << ": " << run.Err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << what;
    }
}

TEST(ManualPdfTool, UnwritableOutputExitsWith1)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.md"));
    WriteFile(input, "# Title\n\nSome text.\n");
    const QString out = dir.filePath(QStringLiteral("no such folder/out.pdf"));
    const TRun run = RunTool({input, out});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains(out)) << run.Err.toStdString();
}

TEST(ManualPdfTool, RendersTheMarkdownFeaturesTheManualUses)
{
    SKIP_WITHOUT_POPPLER();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.md"));
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    WriteFile(input, "# Sample Guide\n\nPlain *emphasis* and **bold** at Z\xc3\xbcrich.\n\n"
                     "| key | value |\n|---|---|\n| `TCPIP_Port` | 50000 |\n\n"
                     "- first item\n- second item\n\n```\nkavendor --help\n```\n");
    const TRun run = RunTool({input, out});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QString text = PdfText(out);
    for (const QString& needle :
         {QStringLiteral("Sample Guide"), QStringLiteral("emphasis and bold at Zürich"),
          QStringLiteral("TCPIP_Port 50000"), QStringLiteral("second item"), QStringLiteral("kavendor --help")})
        EXPECT_TRUE(text.contains(needle)) << needle.toStdString() << " in: " << text.toStdString();
    EXPECT_TRUE(PdfInfo(out).contains(QRegularExpression(QStringLiteral("Title:\\s+Sample Guide\n"))));
}

} // namespace
