#include "auction/final_contract.h"
#include "auction/rotation.h"
#include "auction_script.h"

#include <QtTest>

using namespace briqo;
using briqo::test::auction;
using briqo::test::captions;

class TestRotation : public QObject
{
    Q_OBJECT

private slots:
    void gridTurnsOneSeatWithTheDealer_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("newGame");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("noteAt"); // 4 x row + seat of the numbered bid, -1 none
        QTest::addColumn<int>("declarer");
        QTest::newRow("North dealt, no calls: number only") << 1 << "" << 2 << ". . . .|. . . .|. . . ." << -1 << -1;
        QTest::newRow("North dealt, 1H by North") << 1 << "1H # P P P" << 2 << "- 1 Pas Pas|Pas . . .|. . . ." << 1 << 1;
        QTest::newRow("East dealt, no calls") << 2 << "" << 3 << "- - . .|. . . .|. . . ." << -1 << -1;
        QTest::newRow("South dealt") << 3 << "1C # P P P" << 4 << "- - - 1|Pas Pas Pas .|. . . ." << 3 << 3;
        QTest::newRow("West dealt: the dash row goes") << 8 << "P 1H # P P P" << 5 << "Pas 1 Pas Pas|Pas . . .|. . . ." << 1 << 1;
    }
    void gridTurnsOneSeatWithTheDealer()
    {
        QFETCH(int, game);
        QFETCH(QString, script);
        QFETCH(int, newGame);
        QFETCH(QString, grid);
        QFETCH(int, noteAt);
        QFETCH(int, declarer);
        AuctionModel m = auction(dealerOfGame(game), script);
        const QString kinds = m.CallKinds();
        const int counter = m.NoteCounter();

        const RotationResult r = rotateGrid(m, game);
        QVERIFY(r.rotated);
        QCOMPARE(r.gameNumber, (long long)newGame);
        QCOMPARE(dealerOfGame(r.gameNumber), (dealerOfGame(game) + 1) % 4);
        QCOMPARE(captions(m, 3), grid);
        QCOMPARE(m.CallKinds(), kinds);
        QCOMPARE(m.NoteCounter(), counter);
        for (int i = 0; i < AuctionCells; ++i) {
            const AuctionCell &c = m.cell(i / 4, i % 4);
            QCOMPARE(c.noteVisible, i == noteAt);
            QCOMPARE(c.pictureVisible, c.caption == QLatin1String("1")); // pictures only with bids
        }
        if (noteAt >= 0)
            QCOMPARE(m.cell(noteAt / 4, noteAt % 4).note, QStringLiteral("(1)"));
        const auto fc = finalContract(m);
        QCOMPARE(fc ? fc->declarer : -1, declarer);
        QCOMPARE(r.showContract, m.cell(0, 0).callVisible);
    }

    void callInTheLastWestCellStopsTheTurn()
    {
        AuctionModel m = auction(0, "1C");
        m.setCell(8, 3, {QStringLiteral("Pas"), QStringLiteral("5"), {}, true, false, false});
        const QList<FileCell> before = m.cellsForFile();
        QVERIFY(!canRotate(m));
        const RotationResult r = rotateGrid(m, 5);
        QVERIFY(!r.rotated);
        QCOMPARE(r.gameNumber, 5LL);
        QCOMPARE(m.cellsForFile(), before);
    }

    void callInTheLastSouthCellMovesToWest()
    {
        AuctionModel m = auction(0, "1C");
        m.setCell(8, 2, {QStringLiteral("Pas"), QStringLiteral("5"), {}, true, false, false});
        QVERIFY(canRotate(m));
        QVERIFY(rotateGrid(m, 1).rotated);
        QCOMPARE(m.cell(8, 3).caption, QStringLiteral("Pas"));
        QVERIFY(!m.cell(8, 2).callVisible);
    }

    void dealerFunctionDecidesTheNewDashes()
    {
        AuctionModel m = auction(0, "1C");
        rotateGrid(m, 1, [](long long) { return 3; });
        QCOMPARE(captions(m, 1), QStringLiteral("- - - ."));
    }

    void handsMoveToTheNextSeat()
    {
        std::array<QString, 16> fields;
        for (int i = 0; i < 16; ++i)
            fields[i] = QString::number(i);
        const auto out = rotateHands(fields);
        QCOMPARE(out[4], QStringLiteral("0"));  // North's spades to East
        QCOMPARE(out[7], QStringLiteral("3"));  // North's clubs to East
        QCOMPARE(out[0], QStringLiteral("12")); // West's spades to North
        QCOMPARE(out[10], QStringLiteral("6")); // East's diamonds to South
    }

    void dealerOfGameFollowsTheTable_data()
    {
        QTest::addColumn<long long>("game");
        QTest::addColumn<int>("dealer");
        QTest::newRow("1") << 1LL << 0;
        QTest::newRow("4") << 4LL << 3;
        QTest::newRow("5") << 5LL << 0;
        QTest::newRow("1260 last in the table") << 1260LL << 3;
        QTest::newRow("1261 beyond the table") << 1261LL << 0;
        QTest::newRow("0") << 0LL << 0;
    }
    void dealerOfGameFollowsTheTable()
    {
        QFETCH(long long, game);
        QFETCH(int, dealer);
        QCOMPARE(dealerOfGame(game), dealer);
    }
};

QTEST_APPLESS_MAIN(TestRotation)
#include "test_rotation.moc"
