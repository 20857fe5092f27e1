#include "store/picture_numbering.h"
#include "store/renumber.h"
#include "store_test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace briqo;

class NumberingTest : public QObject {
    Q_OBJECT

private slots:
    void renumberOffersEveryNumberWithTheSameDealerAndWraps()
    {
        const RenumberCandidates five = renumberCandidates(5);
        QCOMPARE(five.ascending.size(), 250);
        QCOMPARE(five.ascending.first(), QString("001"));
        QCOMPARE(five.ascending.at(1), QString("005"));
        QCOMPARE(five.ascending.last(), QString("997"));
        QCOMPARE(five.descending.first(), QString("997"));
        QCOMPARE(five.descending.at(five.startIndex), QString("005"));

        const RenumberCandidates eight = renumberCandidates(8); // no game 0 or 1000
        QCOMPARE(eight.ascending.first(), QString("004"));
        QCOMPARE(eight.ascending.last(), QString("996"));
        QCOMPARE(eight.descending.at(eight.startIndex), QString("008"));
        QCOMPARE(renumberCandidates(999).startIndex, 0);
        QCOMPARE(renumberCandidates(0).startIndex, -1);
        QCOMPARE(renumberCandidates(1001).startIndex, -1);
        QCOMPARE(wrapIndex(-1, 250), 249); // scrolling past either end wraps
        QCOMPARE(wrapIndex(250, 250), 0);
    }

    void nextPictureTakesTheLowestFreeNumber_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("empty folder") << QStringList{} << "";
        QTest::newRow("0, 1 and 3") << QStringList{"Spel 005.bmp", "Spel 005_1.bmp", "Spel 005_3.bmp"}
                                    << "_2";
        QTest::newRow("only _1") << QStringList{"Spel 005_1.bmp"} << "";
        QStringList eleven{"Spel 005.bmp"};
        for (int k = 1; k <= 10; ++k)
            eleven << QString("Spel 005_%1.bmp").arg(k);
        QTest::newRow("0 to 10, compared as numbers") << eleven << "_11";
        QTest::newRow("other prefixes and case count")
            << QStringList{"x.BMP", "Game 005_1.Bmp", "a_b.bmp"} << "_2";
        QTest::newRow("only bmp files count") << QStringList{"Spel 005.txt", "Spel 005_1.png"} << "";
        QTest::newRow("dots after the base") << QStringList{"a.b_1.bmp", "c_1.x.bmp"} << "_2";
        QTest::newRow("huge and negative numbers") << QStringList{"a_99999999999999.bmp", "a_-1.bmp"}
                                                   << "";
    }

    void nextPictureTakesTheLowestFreeNumber()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, suffix);
        QCOMPARE(nextPictureSuffix(files), suffix);
    }

    void pictureListShowsBasesSortedByName()
    {
        QTemporaryDir dir;
        for (const char *name : {"Spel 005_2.bmp", "Spel 005.BMP", "Spel 005_10.bmp",
                                 "Spel 005_1.bmp", "Spel 005 bieding.txt"})
            test::putBytes(dir.filePath(name), "BM");
        const QStringList files = bmpFileNames(dir.path());
        QCOMPARE(pictureBases(files),
                 (QStringList{"Spel 005", "Spel 005_1", "Spel 005_10", "Spel 005_2"}));
        QCOMPARE(nextPictureSuffixInFolder(dir.path()), QString("_3"));
        QCOMPARE(nextPictureSuffixInFolder(dir.filePath("missing")), QString());
    }
};

QTEST_APPLESS_MAIN(NumberingTest)
#include "test_numbering.moc"
