#include "output/png_file.h"

#include <QPainter>
#include <QTest>

using namespace briqo;

// The PNG files are written by the program itself; libpng (through QImage) must read back
// exactly the pixels and the resolution that went in.
class TestPngFile : public QObject {
    Q_OBJECT

private slots:
    void readsBackPixelForPixel_data()
    {
        QTest::addColumn<QImage>("picture");
        QImage board(619, 484, QImage::Format_RGB32);
        board.fill(Qt::white);
        QPainter p(&board);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::red);
        p.drawText(40, 40, QStringLiteral("AHVB 10 \u2665"));
        p.drawEllipse(100, 100, 77, 33);
        p.end();
        board.setDotsPerMeterX(3780);
        board.setDotsPerMeterY(3780);
        QTest::newRow("a board at 96 dots an inch") << board;

        QImage odd(3, 2, QImage::Format_RGB888);
        odd.fill(QColor(1, 2, 3));
        odd.setPixelColor(2, 1, QColor(250, 128, 7));
        QTest::newRow("three by two, an odd row length") << odd;

        QImage seeThrough(5, 4, QImage::Format_ARGB32);
        seeThrough.fill(Qt::transparent);
        seeThrough.setPixelColor(1, 1, QColor(10, 20, 30, 128));
        seeThrough.setPixelColor(4, 3, QColor(200, 100, 50, 255));
        QTest::newRow("with an alpha channel") << seeThrough;

        QImage one(1, 1, QImage::Format_RGB32);
        one.fill(Qt::black);
        QTest::newRow("one pixel") << one;
    }
    void readsBackPixelForPixel()
    {
        QFETCH(QImage, picture);
        const QByteArray bytes = pngFileBytes(picture);
        QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage back = QImage::fromData(bytes, "PNG");
        QVERIFY(!back.isNull());
        QCOMPARE(back.size(), picture.size());
        QCOMPARE(back.hasAlphaChannel(), picture.hasAlphaChannel());
        const QImage::Format common = picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        QCOMPARE(back.convertToFormat(common), picture.convertToFormat(common));
        if (picture.dotsPerMeterX() == 3780)
            QCOMPARE(back.dotsPerMeterX(), 3780);
    }

    void nothingForNoPicture() { QVERIFY(pngFileBytes(QImage()).isEmpty()); }
};

QTEST_MAIN(TestPngFile)
#include "test_png_file.moc"
