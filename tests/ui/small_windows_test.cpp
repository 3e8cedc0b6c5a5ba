#include "about_box.h"
#include "f_flag.h"
#include "f_logo.h"
#include "f_message.h"
#include "picture.h"
#include "picture_box.h"
#include "status_pictures.h"
#include "system_colors.h"
#include "ui_resources.h"
#include "wmf_converter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace kav;

namespace {

void Put16(QByteArray& data, int value)
{
    const auto v = qToLittleEndian<quint16>(quint16(value));
    data.append(reinterpret_cast<const char*>(&v), 2);
}

void Put32(QByteArray& data, quint32 value)
{
    const auto v = qToLittleEndian<quint32>(value);
    data.append(reinterpret_cast<const char*>(&v), 4);
}

// A placeable metafile of 100 x 50 units holding one red rectangle.
QByteArray SmallMetafile()
{
    QByteArray placeable;
    Put32(placeable, 0x9AC6CDD7u);
    for (int value : {0, 0, 0, 100, 50, 1000})
        Put16(placeable, value);
    Put32(placeable, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + i);
    Put16(placeable, checksum);

    QByteArray records;
    auto record = [&records](int function, std::initializer_list<int> params) {
        Put32(records, quint32(3 + params.size()));
        Put16(records, function);
        for (int p : params)
            Put16(records, p);
    };
    record(0x020B, {0, 0});                 // window origin
    record(0x020C, {50, 100});              // window extent
    record(0x02FC, {0, 0x00FF, 0x0000, 0}); // solid red brush
    record(0x012D, {0});                    // select it
    record(0x041B, {45, 95, 5, 5});         // rectangle
    record(0x0000, {});                     // end

    QByteArray header;
    Put16(header, 1);
    Put16(header, 9);
    Put16(header, 0x0300);
    Put32(header, quint32((18 + records.size()) / 2));
    Put16(header, 1);
    Put32(header, 7);
    Put16(header, 0);
    return placeable + header + records;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return file.fileName();
}

QByteArray PngBytes()
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

QImage Render(const TPicture& picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.Draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
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
        palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
        palette.setColor(QPalette::Active, QPalette::Text, QColor(7, 8, 9));
        palette.setColor(QPalette::Active, QPalette::Dark, QColor(10, 11, 12));
        QCOMPARE(ToQColor(kClBtnFace, palette), QColor(1, 2, 3));
        QCOMPARE(ToQColor(kClWindow, palette), QColor(4, 5, 6));
        QCOMPARE(ToQColor(kClWindowText, palette), QColor(7, 8, 9));
        QCOMPARE(ToQColor(kClBtnShadow, palette), QColor(10, 11, 12));
        QCOMPARE(ToQColor(-2147483633, palette), QColor(1, 2, 3)); // as stored in ini files
        QCOMPARE(ToQColor(0x0000FF, palette), QColor(255, 0, 0));  // red in the lowest byte
        QCOMPARE(FromQColor(QColor(0x12, 0x34, 0x56)), TColorValue{0x563412});
    }

    void everyStatusCodeWithAPicture()
    {
        const TStatusPictures pictures;
        for (int code : {0, 1, 2, 3, 4, 6, 255}) {
            const TPicture* picture = pictures.ForCode(std::uint8_t(code));
            QVERIFY2(picture && !picture->IsEmpty(), qPrintable(QString::number(code)));
        }
        for (int code : {5, 7, 100, 254})
            QCOMPARE(pictures.ForCode(std::uint8_t(code)), nullptr);
        QVERIFY(pictures.ForCode(0) != pictures.ForCode(1));
    }

    void flagShowsRedOrYellowAndEscapeMinimises()
    {
        TFFlag flag;
        QCOMPARE(flag.windowTitle(), QStringLiteral("Flag"));
        QVERIFY(flag.windowFlags() & Qt::WindowStaysOnTopHint);
        const QSize natural = flag.RedFlag().NaturalSize();
        QVERIFY(std::abs(double(natural.width()) / natural.height() - 1.4) < 0.05);
        flag.ShowYellowFlag();
        QCOMPARE(flag.Shown().Serial(), flag.YellowFlag().Serial());
        flag.ShowRedFlag();
        QCOMPARE(flag.Shown().Serial(), flag.RedFlag().Serial());
        const QImage red = Render(flag.Shown(), QSize(140, 100));
        QVERIFY(red.pixelColor(70, 45).red() > 150 && red.pixelColor(70, 45).green() < 80);
        flag.show();
        QVERIFY(QTest::qWaitForWindowExposed(&flag));
        QCOMPARE(flag.findChild<TPictureBox*>()->size(), QSize(241, 193)); // the flag's own shape
        QTest::keyClick(&flag, Qt::Key_Escape);
        QVERIFY(flag.isMinimized());
        flag.showNormal();
        QVERIFY(flag.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void logoLoadsPicturesAndSurvivesBadFiles()
    {
        QTemporaryDir dir;
        TFLogo logo;
        QVERIFY(logo.LoadPicture(WriteFile(dir, QStringLiteral("logo.png"), PngBytes())));
        QCOMPARE(logo.Box().Picture().NaturalSize(), QSize(8, 4));
        QVERIFY(!logo.LoadPicture(dir.filePath(QStringLiteral("missing.bmp"))));
        QVERIFY(logo.Box().Picture().IsEmpty());
        QVERIFY(!logo.LoadPicture(WriteFile(dir, QStringLiteral("junk.bmp"), QByteArray("BM not really"))));
        QVERIFY(!logo.LoadPicture(WriteFile(dir, QStringLiteral("svg.svg"), QByteArray("<svg broken"))));
        logo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&logo));
        QVERIFY(logo.windowFlags() & Qt::FramelessWindowHint);
    }

    void svgLogoLoads()
    {
        QTemporaryDir dir;
        const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 20 10\" width=\"20\" "
                               "height=\"10\"><rect width=\"20\" height=\"10\" fill=\"#00ff00\"/></svg>";
        TPicture picture;
        QVERIFY(picture.LoadFromFile(WriteFile(dir, QStringLiteral("logo.svg"), svg)));
        QCOMPARE(Render(picture, QSize(40, 20)).pixelColor(20, 10), QColor(0, 255, 0));
    }

    void metafileLogoIsPlayed()
    {
        const QByteArray wmf = SmallMetafile();
        QVERIFY(IsWindowsMetafile(wmf));
        QVERIFY(!IsWindowsMetafile(PngBytes()));
        TPicture picture;
        QVERIFY(picture.LoadFromData(wmf));
        const QImage image = Render(picture, QSize(100, 50));
        const QColor middle = image.pixelColor(50, 25);
        QVERIFY2(middle.red() > 200 && middle.green() < 60 && middle.blue() < 60, qPrintable(middle.name()));
    }

    void damagedMetafileFailsQuietly()
    {
        QByteArray wmf = SmallMetafile();
        wmf.truncate(30);
        TPicture picture;
        QVERIFY(!picture.LoadFromData(wmf));
        QVERIFY(picture.IsEmpty());
    }

    void messageAndAbout()
    {
        TMessage message;
        message.SetMessage(QStringLiteral("Please stand by....."));
        QCOMPARE(message.Message(), QStringLiteral("Please stand by....."));
        QCOMPARE(message.size(), QSize(316, 54));
        QVERIFY(message.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(message.windowFlags() & Qt::WindowStaysOnTopHint);
        TAboutBox about;
        about.SetVersion(QStringLiteral("3.2"));
        QCOMPARE(about.Version(), QStringLiteral("3.2"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QVERIFY(!ResourcePicture(QStringLiteral("maker_logo.svg")).IsEmpty());
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
