// The outcome of an auction: final contract and declarer, turning the board, the opening lead.
#include "auction/final_contract.h"
#include "auction/lead_card.h"
#include "auction/rotation.h"
#include "auction_script.h"
#include "shell/string_table.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

class TestAuctionResult : public QObject {
    Q_OBJECT

private slots:
    void declarerFirstNamedTheStrain_data()
    {
        QTest::addColumn<int>("dealer");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("dutch");
        QTest::addColumn<QString>("english");
        QTest::newRow("opener keeps partner's raise") << 0 << "1H P 4H P P P"
                                                      << "Noord 4 Harten"
                                                      << "North 4 Hearts";
        QTest::newRow("responder's suit raised") << 0 << "1C P 1S P 4S P P P"
                                                 << "Zuid 4 Schoppen"
                                                 << "South 4 Spades";
        QTest::newRow("West opened, East raised") << 3 << "1N P 3N P P P"
                                                  << "West 3 SA"
                                                  << "West 3 NT";
        QTest::newRow("final bidder named it a row earlier") << 0 << "1C P 1H P 2H P 4H P P P"
                                                             << "Zuid 4 Harten"
                                                             << "South 4 Hearts";
        QTest::newRow("partner named it a row earlier") << 0 << "1N P 2C P 2D P 3N P P P"
                                                        << "Noord 3 SA"
                                                        << "North 3 NT";
        QTest::newRow("West named it, East raised next row") << 1 << "1C P 1H P 4H P P P"
                                                             << "West 4 Harten"
                                                             << "West 4 Hearts";
        QTest::newRow("opponents' cue bid does not count") << 0 << "1H 2H P P 4H X P P P"
                                                           << "Noord 4 Harten"
                                                           << "North 4 Hearts";
        QTest::newRow("redoubled") << 2 << "1C X XX P P P"
                                   << "Zuid 1 Klaveren"
                                   << "South 1 Clubs";
        QTest::newRow("diamonds") << 1 << "P 1D P P P"
                                  << "Zuid 1 Ruiten"
                                  << "South 1 Diamonds";
    }
    void declarerFirstNamedTheStrain()
    {
        QFETCH(int, dealer);
        QFETCH(QString, script);
        QFETCH(QString, dutch);
        QFETCH(QString, english);
        const auto fc = finalContract(auction(dealer, script));
        QVERIFY(fc.has_value());
        QCOMPARE(contractText(*fc, LanguageDutch), dutch);
        QCOMPARE(contractText(*fc, LanguageEnglish), english);
    }

    void finalBidIsTheLastContractBidOnTheGrid()
    {
        QCOMPARE(finalContract(auction(3, "1N P 3N P P P")), (FinalContract { 3, 4, 1, 1, 3 }));
        QVERIFY(!finalContract(auction(3, "P P P P")).has_value());
        QVERIFY(!finalContract(auction(3, "")).has_value()); // dashes are no bids
        // North's partner South sits after North, so South's cell in the row of North's final
        // bid is not searched; every other partner's cell in that row is.
        for (const auto &[seat, declarer] : { std::pair { 0, 0 }, { 1, 3 } }) {
            AuctionModel m;
            m.setCell(1, seat, { QStringLiteral("4"), QStringLiteral("3"), {}, true, true, false });
            m.setCell(1, (seat + 2) % 4, { QStringLiteral("Pas"), QStringLiteral("3"), {}, true, false, false });
            QCOMPARE(finalContract(m)->declarer, declarer);
        }
    }

    void rowNumbersAndBottomFollowTheLastNorthRow()
    {
        const AuctionModel rows012 = auction(0, "1C P 1H P 2C P 2H P 3C P P P");
        QCOMPARE(hiddenRowNumbers(rows012), (QList<int> { 8, 7, 6, 5, 4, 3 }));
        QCOMPARE(auctionBottom(rows012), 1568);
        QCOMPARE(auctionBottom(auction(3, "1C P P P")), 1268); // the dash of row 0 counts
        QCOMPARE(hiddenRowNumbers(auction(0, "")).size(), 9);
        QVERIFY(!auctionBottom(auction(0, "")).has_value());
    }

    void gridTurnsOneSeatWithTheDealer_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("newGame");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("declarer");
        QTest::newRow("North dealt, no calls: number only") << 1 << "" << 2 << "" << -1;
        QTest::newRow("North dealt, 1H by North") << 1 << "1H # P P P" << 2 << "- 1(1) Pas Pas|Pas . . ." << 1;
        QTest::newRow("East dealt, no calls") << 2 << "" << 3 << "- - . ." << -1;
        QTest::newRow("South dealt") << 3 << "1C # P P P" << 4 << "- - - 1(1)|Pas Pas Pas ." << 3;
        QTest::newRow("West dealt: the dash row goes") << 8 << "P 1H # P P P" << 5 << "Pas 1(1) Pas Pas|Pas . . ." << 1;
    }
    void gridTurnsOneSeatWithTheDealer()
    {
        QFETCH(int, game);
        QFETCH(QString, script);
        QFETCH(int, newGame);
        QFETCH(QString, grid);
        QFETCH(int, declarer);
        AuctionModel m = auction(dealerOfGame(game), script);
        const QString kinds = m.CallKinds();
        const int counter = m.NoteCounter();
        const RotationResult r = rotateGrid(m, game);
        QVERIFY(r.rotated);
        QCOMPARE(r.gameNumber, (long long)newGame);
        QCOMPARE(captions(m), grid);
        QCOMPARE(m.CallKinds(), kinds);
        QCOMPARE(m.NoteCounter(), counter);
        for (int i = 0; i < AuctionCells; ++i) // pictures move with their bids
            QCOMPARE(m.cell(i / 4, i % 4).pictureVisible, m.cell(i / 4, i % 4).caption == QLatin1String("1"));
        const auto fc = finalContract(m);
        QCOMPARE(fc ? fc->declarer : -1, declarer);
        QCOMPARE(r.showContract, !grid.isEmpty());
    }

    void lastRowWestDecidesWhetherTheBoardTurns()
    {
        AuctionModel m = auction(0, "1C");
        m.setCell(8, 2, { QStringLiteral("Pas"), QStringLiteral("5"), {}, true, false, false });
        QVERIFY(rotateGrid(m, 1).rotated); // a call in the last South cell moves to West
        QCOMPARE(m.cell(8, 3).caption, QStringLiteral("Pas"));
        const QList<FileCell> before = m.cellsForFile();
        const RotationResult r = rotateGrid(m, 2);
        QVERIFY(!canRotate(m) && !r.rotated);
        QCOMPARE(r.gameNumber, 2LL);
        QCOMPARE(m.cellsForFile(), before);

        std::array<QString, 16> fields;
        for (int i = 0; i < 16; ++i)
            fields[i] = QString::number(i);
        const auto turned = rotateHands(fields);
        QCOMPARE(QStringList(turned.begin(), turned.end()).join(QLatin1Char(',')),
            QStringLiteral("12,13,14,15,0,1,2,3,4,5,6,7,8,9,10,11"));
    }

    void leadCardTextNamesHonoursAndTheTen_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("tenAs10");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("texts");
        QTest::newRow("Dutch") << LanguageDutch << false << "AHVBT17K"
                               << "Aas Heer Vrouw Boer T T 7 K";
        QTest::newRow("Dutch, ten as 10") << LanguageDutch << true << "T12"
                                          << "10 10 2";
        QTest::newRow("English") << LanguageEnglish << false << "AKQJT12H"
                                 << "Ace King Queen Jack T T 2 H";
        QTest::newRow("English, ten as 10") << LanguageEnglish << true << "T19"
                                            << "10 10 9";
    }
    void leadCardTextNamesHonoursAndTheTen()
    {
        QFETCH(int, language);
        QFETCH(bool, tenAs10);
        QFETCH(QString, cards);
        QFETCH(QString, texts);
        QStringList out;
        for (QChar c : cards)
            out << leadCardText(c, language, tenAs10);
        QCOMPARE(out.join(QLatin1Char(' ')), texts);
        QCOMPARE(leadCardText(QChar(), language, tenAs10), QString());
    }

    void leadClickFindsCardAndLeader()
    {
        QString picked; // every caret position of "AK1032", and one past the end
        for (int caret = -1; caret <= 6; ++caret) {
            const QChar c = leadCharAt(QStringLiteral("AK1032"), caret);
            picked += c.isNull() ? QChar('_') : c;
        }
        QCOMPARE(picked, QStringLiteral("_AKTT32_")); // both characters of the 10 are the ten
        QString leaders; // declarer North, South, West, none, unreadable, none with a bad field
        for (const auto &[tag, field] :
            { std::pair { "0", 13 }, { "2", 0 }, { "3", 5 }, { "", 13 }, { "x", 5 }, { "", 16 } })
            leaders += QString::number(leaderSeat(QString::fromLatin1(tag), field));
        QCOMPARE(leaders, QStringLiteral("13031-1"));
    }

    void leadQuestionAndRecordInBothLanguages()
    {
        QCOMPARE(
            leadQuestion(3, 1, QStringLiteral("Heer"), LanguageDutch), QStringLiteral("West start met Harten Heer"));
        QCOMPARE(leadQuestion(1, 1, QStringLiteral("King"), LanguageEnglish),
            QStringLiteral("East leads with the King of Hearts"));
        QCOMPARE(leadQuestion(0, 3, QStringLiteral("10"), LanguageEnglish),
            QStringLiteral("North leads with the 10 of Clubs"));
        QCOMPARE(leadRecord(0, 3, QStringLiteral("10"), LanguageEnglish), QStringLiteral("North - 3T"));
        QCOMPARE(leadRecord(3, 1, QStringLiteral("Heer"), LanguageDutch), QStringLiteral("West - 1Heer"));
    }
};

QTEST_APPLESS_MAIN(TestAuctionResult)
#include "test_auction_result.moc"
