// kavendor-icons: renders the program's SVG logo into PNG icons of the sizes the desktop's icon theme
// uses, laid out as the hicolor theme wants them: OUTDIR/<size>x<size>/apps/NAME.png.
// Usage: kavendor-icons LOGO.svg OUTDIR NAME SIZE...
// Exit status: 0 written, 1 the logo could not be read or an icon not written, 2 wrong arguments.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kLargestSize = 1024;

void complain(const QString& text)
{
    std::fprintf(stderr, "kavendor-icons: %s\n", qPrintable(text));
}

bool writeIcon(QSvgRenderer& logo, int size, const QString& path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    logo.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, "PNG")) {
        complain(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

int renderAll(const QString& logoPath, const QString& outDir, const QString& name, const QList<int>& sizes)
{
    QSvgRenderer logo(logoPath);
    if (!logo.isValid()) {
        complain(QStringLiteral("cannot read the SVG picture %1").arg(logoPath));
        return kExitFailed;
    }
    for (const int size : sizes) {
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(outDir).arg(size).arg(name);
        if (!writeIcon(logo, size, path))
            return kExitFailed;
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    QList<int> sizes;
    for (qsizetype i = 4; i < arguments.size(); ++i) {
        bool ok = false;
        const int size = arguments[i].toInt(&ok);
        if (!ok || size < 1 || size > kLargestSize)
            sizes.clear();
        else
            sizes.append(size);
        if (sizes.isEmpty())
            break;
    }
    if (arguments.size() < 5 || sizes.size() != arguments.size() - 4) {
        std::fputs("usage: kavendor-icons LOGO.svg OUTDIR NAME SIZE...\n", stderr);
        return kExitUsage;
    }
    return renderAll(arguments[1], arguments[2], arguments[3], sizes);
}
