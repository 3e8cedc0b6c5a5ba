#include "feed_text.h"
#include "flag_window.h"
#include "logo_window.h"
#include "picture.h"
#include "picture_box.h"
#include "qt_files.h"
#include "status_pictures.h"
#include "system_colors.h"
#include "wmf_converter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace kav;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    return writeAll(dir.filePath(name), data) ? dir.filePath(name) : QString();
}

QByteArray pngBytes()
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

QImage render(const Picture& picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void systemColoursFollowThePalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Active, QPalette::Text, QColor(7, 8, 9));
        QCOMPARE(toQColor(kClBtnFace, palette), QColor(1, 2, 3));
        QCOMPARE(toQColor(kClWindowText, palette), QColor(7, 8, 9));
        QCOMPARE(toQColor(-2147483633, palette), QColor(1, 2, 3)); // as stored in ini files
        QCOMPARE(toQColor(0x0000FF, palette), QColor(255, 0, 0));  // red in the lowest byte
        QCOMPARE(fromQColor(QColor(0x12, 0x34, 0x56)), ColorValue{0x563412});
    }

    // A feed text that is valid UTF-8 shows as UTF-8, any other as Windows-1252, and goes back unchanged.
    void feedTextsOfEitherEncoding()
    {
        QCOMPARE(feedText("J\xC3\xBCrgen"), QString::fromUtf8("J\xC3\xBCrgen"));
        QCOMPARE(feedText("J\xFCrgen \x80"), QString::fromUtf8("J\xC3\xBCrgen \xE2\x82\xAC"));
        QCOMPARE(storedText(QString::fromUtf8("J\xC3\xBCrgen"), "J\xFCrgen"), std::string("J\xFCrgen"));
    }

    void flagShowsRedOrYellowAndEscapeMinimises()
    {
        FlagWindow flag;
        flag.showRedFlag();
        QImage shown = render(flag.shownFlag(), QSize(140, 100));
        QVERIFY(shown.pixelColor(70, 45).red() > 150 && shown.pixelColor(70, 45).green() < 80);
        flag.showYellowFlag();
        shown = render(flag.shownFlag(), QSize(140, 100));
        QVERIFY(shown.pixelColor(70, 45).red() > 150 && shown.pixelColor(70, 45).green() > 150);
        flag.show();
        QVERIFY(QTest::qWaitForWindowExposed(&flag));
        QCOMPARE(flag.findChild<PictureBox*>()->size(), QSize(241, 193)); // the flag's own shape
        QTest::keyClick(&flag, Qt::Key_Escape);
        QVERIFY(flag.isMinimized());
        flag.showNormal();
        QVERIFY(flag.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void logoLoadsPicturesAndSurvivesBadFiles()
    {
        QTemporaryDir dir;
        LogoWindow logo;
        QVERIFY(logo.loadPicture(writeFile(dir, QStringLiteral("logo.png"), pngBytes())));
        QCOMPARE(logo.box().shownPicture().naturalSize(), QSize(8, 4));
        QVERIFY(!logo.loadPicture(dir.filePath(QStringLiteral("missing.bmp"))));
        QVERIFY(logo.box().shownPicture().isEmpty());
        QVERIFY(!logo.loadPicture(writeFile(dir, QStringLiteral("junk.bmp"), QByteArray("BM not really"))));
        QVERIFY(!logo.loadPicture(writeFile(dir, QStringLiteral("svg.svg"), QByteArray("<svg broken"))));
    }

    // A placeable metafile of 100 x 50 units holding one red rectangle is played; cut short, it fails quietly.
    void metafileLogoIsPlayed()
    {
        QByteArray wmf = readAll(QStringLiteral(KAV_TEST_DATA "/ui/red_rectangle.wmf"));
        QVERIFY(isWindowsMetafile(wmf));
        QVERIFY(!isWindowsMetafile(pngBytes()));
        Picture picture;
        QVERIFY(picture.loadFromData(wmf));
        const QColor middle = render(picture, QSize(100, 50)).pixelColor(50, 25);
        QVERIFY2(middle.red() > 200 && middle.green() < 60 && middle.blue() < 60, qPrintable(middle.name()));
        wmf.truncate(30);
        Picture damaged;
        QVERIFY(!damaged.loadFromData(wmf));
        QVERIFY(damaged.isEmpty());
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
