// kavendor-manual-pdf: renders the user manual from Markdown into an A4 PDF, with Qt alone.
// Usage: kavendor-manual-pdf IN.md OUT.pdf
// Exit status: 0 written, 1 a file could not be read or written (or no font to draw with),
// 2 wrong arguments. Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kFontPoints = 10;
// QTextDocument::print adds 2 cm of its own around the text and prints the page number in it.
constexpr qreal kPageMarginMm = 5;
constexpr qreal kTableBorder = 0.5; // points
constexpr qreal kCellPadding = 3;   // points
constexpr qreal kTableGap = 6;      // points below a table
const QString kFontFamily = QStringLiteral("DejaVu Sans");

void complain(const QString& text)
{
    std::fprintf(stderr, "kavendor-manual-pdf: %s\n", qPrintable(text));
}

std::optional<QString> readMarkdown(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        complain(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return QString::fromUtf8(bytes);
}

// The text of the first level-one heading names the PDF; without one the PDF has no title.
QString titleOf(const QString& markdown)
{
    for (const QStringView line : QStringView(markdown).split(u'\n')) {
        if (line.startsWith(u"# "))
            return line.mid(2).trimmed().toString();
    }
    return {};
}

// Offscreen, Qt draws empty boxes without a word when no font is installed: refuse instead.
bool canDrawText(const QFont& font)
{
    if (QFontMetrics(font).inFontUcs4(U'A'))
        return true;
    complain(QStringLiteral("no font to draw text with (install fonts-dejavu-core)"));
    return false;
}

// Qt lays out Markdown tables with doubled borders and no room in the cells: make them plain and airy.
void tidyTables(const QTextFrame& frame)
{
    for (QTextFrame* child : frame.childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorder(kTableBorder);
            format.setBorderBrush(Qt::gray);
            format.setCellSpacing(0);
            format.setCellPadding(kCellPadding);
            format.setBottomMargin(kTableGap);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
        tidyTables(*child);
    }
}

// Pictures are named relative to the manual and drawn at most a page wide (kImageWidth points).
constexpr qreal kImageWidth = 480;

// False when a picture cannot be read: a manual must not lose its pictures unnoticed.
bool fitImages(QTextDocument& document, const QString& folder)
{
    std::vector<std::pair<int, QTextImageFormat>> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextImageFormat image = fragment.fragment().charFormat().toImageFormat();
            if (image.isValid())
                images.emplace_back(fragment.fragment().position(), image);
        }
    }
    for (auto& [position, image] : images) {
        const QImage picture(folder + QLatin1Char('/') + image.name());
        if (picture.isNull()) {
            complain(QStringLiteral("cannot read the picture %1").arg(image.name()));
            return false;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
        const qreal width = std::min<qreal>(kImageWidth, picture.width());
        image.setWidth(width);
        image.setHeight(width * picture.height() / picture.width());
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(image);
    }
    return true;
}

void setUpPage(QPdfWriter& writer, const QString& title)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                          QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("kavendor-manual-pdf"));
}

// Written through a save file: a failed run leaves an older PDF as it was and no half-written one.
bool writePdf(const QTextDocument& document, const QString& path, const QString& title)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    {
        QPdfWriter writer(&file);
        setUpPage(writer, title);
        document.print(&writer);
    }
    if (!file.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

int render(const QString& inPath, const QString& outPath)
{
    const std::optional<QString> markdown = readMarkdown(inPath);
    if (!markdown)
        return kExitFailed;
    QFont font(kFontFamily, kFontPoints);
    // Without shaping there are no fi and fl ligatures, so text copied from the PDF stays plain text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    if (!canDrawText(font))
        return kExitFailed;
    QTextDocument document;
    document.setDefaultFont(font);
    document.setMarkdown(*markdown);
    tidyTables(*document.rootFrame());
    if (!fitImages(document, QFileInfo(inPath).absolutePath()))
        return kExitFailed;
    return writePdf(document, outPath, titleOf(*markdown)) ? EXIT_SUCCESS : kExitFailed;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3 || argv[1][0] == '\0' || argv[2][0] == '\0') {
        std::fputs("usage: kavendor-manual-pdf IN.md OUT.pdf\n", stderr);
        return kExitUsage;
    }
    const QString inPath = QString::fromLocal8Bit(argv[1]);
    const QString outPath = QString::fromLocal8Bit(argv[2]);
    QGuiApplication app(argc, argv);
    return render(inPath, outPath);
}
