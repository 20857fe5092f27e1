// The board's typeface as the program sets it up: found under every name the board and Qt's own
// windows ask for, with the suit symbols and the accents of both languages in it.

#include "base/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

using namespace briqo;

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFonts(); }

    void everyNameFindsTheShippedTypeface()
    {
        for (const QString &name : {QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana"), QStringLiteral("Arial"),
                 QStringLiteral("Sans Serif"), QStringLiteral("sans-serif")}) {
            QFont font(name);
            font.setPixelSize(11);
            QCOMPARE(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
        }
        const QFontInfo board(verdana(8.25));
        QCOMPARE(board.pixelSize(), 11);
        QVERIFY(!board.bold());
        QVERIFY(QFontInfo(verdana(9.75, true)).bold());
        QVERIFY(QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).fixedPitch());
    }

    void theSuitSymbolsAndAccentsAreInIt()
    {
        const QFontMetrics metrics(verdana(12));
        for (char16_t c : {u'\u2660', u'\u2665', u'\u2666', u'\u2663', u'\u00eb', u'\u20ac'})
            QVERIFY2(metrics.inFontUcs4(c), qPrintable(QString::number(c, 16)));
    }
};

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
