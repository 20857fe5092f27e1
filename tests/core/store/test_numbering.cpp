#include "store/picture_numbering.h"
#include "store/renumber.h"
#include "store_test_files.h"

using namespace briqo;

class NumberingTest : public QObject {
    Q_OBJECT

private slots:
    void renumberOffersEveryNumberWithTheSameDealerAndWraps()
    {
        const RenumberCandidates five = renumberCandidates(5);
        QCOMPARE(five.ascending.size(), 250);
        QCOMPARE(five.descending.first(), QString("997"));
        QCOMPARE(five.descending.at(five.startIndex), QString("005"));
        const RenumberCandidates eight = renumberCandidates(8); // no game 0 or 1000
        QCOMPARE(eight.ascending.first(), QString("004"));
        QCOMPARE(eight.ascending.last(), QString("996"));
        QCOMPARE(renumberCandidates(1001).startIndex, -1); // "001" is no game 1001
        QCOMPARE(wrapIndex(-1, 250), 249); // scrolling past either end wraps
        QCOMPARE(wrapIndex(250, 250), 0);
    }

    void nextPictureTakesTheLowestFreeNumber()
    {
        QStringList zeroToTen {"Spel 005.bmp"};
        for (int k = 1; k <= 10; ++k)
            zeroToTen << QString("Spel 005_%1.bmp").arg(k);
        const std::pair<QStringList, const char *> cases[]
            = {{{"Spel 005.bmp", "Spel 005_1.bmp", "Spel 005_3.bmp"}, "_2"}, {{"Spel 005_1.bmp"}, ""},
                {zeroToTen, "_11"}, // compared as numbers, though "_10" sorts before "_2"
                {{"a.b_1.BMP", "c_1.x.bmp"}, "_2"}, // any prefix and case; the base ends at the first dot
                {{"Spel 005.txt", "Spel 005_1.png"}, ""}, {{"a_99999999999999.bmp", "a_-1.bmp"}, ""}};
        for (const auto &[files, suffix] : cases)
            QCOMPARE(nextPictureSuffix(files), QString(suffix));
    }

    void pictureListShowsBasesSortedByName()
    {
        QTemporaryDir dir;
        for (const char *name : {"SPEL 005_2.bmp", "Spel 005.BMP", "Spel 005_10.bmp", "Spel 005_1.bmp", "Spel 005.txt"})
            test::putBytes(dir.filePath(name), "BM");
        QCOMPARE(pictureBases(bmpFileNames(dir.path())),
            (QStringList {"Spel 005", "Spel 005_1", "Spel 005_10", "SPEL 005_2"}));
        QCOMPARE(nextPictureSuffixInFolder(dir.path()), QString("_3"));
        QCOMPARE(nextPictureSuffixInFolder(dir.filePath("missing")), QString());
    }
};

QTEST_APPLESS_MAIN(NumberingTest)
#include "test_numbering.moc"
