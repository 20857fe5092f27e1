// The outcome of an auction: final contract and declarer, turning the board, the opening lead.
#include "auction/final_contract.h"
#include "auction/lead_card.h"
#include "auction/rotation.h"
#include "auction_script.h"
#include "base/string_table.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

class TestAuctionResult : public QObject {
    Q_OBJECT

private slots:
    void declarerFirstNamedTheStrain()
    {
        const auto contract = [](int dealer, const QString &script) -> QString {
            const auto fc = finalContract(auction(dealer, script));
            return fc ? contractText(*fc, LanguageDutch) + " / " + contractText(*fc, LanguageEnglish) : "none";
        };
        QCOMPARE(contract(0, "1H P 4H P P P"), "Noord 4 Harten / North 4 Hearts"); // opener, not the raiser
        QCOMPARE(contract(0, "1C P 1S P 4S P P P"), "Zuid 4 Schoppen / South 4 Spades"); // responder's suit
        QCOMPARE(contract(3, "1N P 3N P P P"), "West 3 SA / West 3 NT");
        QCOMPARE(contract(0, "1C P 1H P 2H P 4H P P P"), "Zuid 4 Harten / South 4 Hearts"); // named before partner
        QCOMPARE(contract(2, "1C X XX P P P"), "Zuid 1 Klaveren / South 1 Clubs");
        QCOMPARE(contract(1, "P 1D P P P"), "Zuid 1 Ruiten / South 1 Diamonds");
        QCOMPARE(contract(3, "P P P P"), "none");
        QCOMPARE(contract(3, ""), "none"); // the dashes before the dealer are no bids
    }

    void rowNumbersAndBottomFollowTheLastNorthRow()
    {
        const AuctionModel rows012 = auction(0, "1C P 1H P 2C P 2H P 3C P P P");
        QCOMPARE(hiddenRowNumbers(rows012), (QList<int> {8, 7, 6, 5, 4, 3}));
        QCOMPARE(auctionBottom(rows012), 1568);
        QCOMPARE(auctionBottom(auction(3, "1C P P P")), 1268); // the dash of row 0 counts
        QCOMPARE(hiddenRowNumbers(auction(0, "")).size(), 9);
        QVERIFY(!auctionBottom(auction(0, "")).has_value());
    }

    void gridTurnsOneSeatWithTheDealer()
    {
        // New game number, how the grid turned, contract shown anew, its declarer (-1 none), grid.
        const auto turn = [](int game, const QString &script) {
            AuctionModel m = auction(DealerOf(game), script);
            const RotationResult r = rotateGrid(m, game);
            const auto fc = finalContract(m); // the strains move with their calls
            const QString facts = QStringLiteral("%1 %2 %3").arg(r.gameNumber).arg(int(r.turn)).arg(r.showContract);
            return facts + QStringLiteral(" %1 ").arg(fc ? fc->declarer : -1) + captions(m);
        };
        QCOMPARE(turn(1, ""), "2 0 0 -1 "); // North dealt, nobody called: only the number moves on
        QCOMPARE(turn(1, "1H # P P P"), "2 2 1 1 - 1(1) Pas Pas|Pas . . .");
        QCOMPARE(turn(2, ""), "3 2 1 -1 - - . ."); // dashes before the new dealer
        QCOMPARE(turn(8, "P 1H # P P P"), "5 1 1 1 Pas 1(1) Pas Pas|Pas . . ."); // West dealt: the dash row goes
    }

    void boardTurnsUnlessACallWouldBeLost()
    {
        std::array<QString, 16> fields;
        fields[1] = "North's hearts";
        QCOMPARE(rotateHands(fields)[5], "North's hearts");
        AuctionModel m = auction(0, "1C");
        m.setCell(8, 2, {"Pas", "5", {}, true, false, false});
        QCOMPARE(rotateGrid(m, 1).gameNumber, 2); // a call in the last South cell moves to West
        QCOMPARE(m.cell(8, 3).caption, "Pas");
        const QList<FileCell> before = m.cellsForFile();
        const RotationResult r = rotateGrid(m, 2);
        QVERIFY(!r.rotated && r.gameNumber == 2);
        QCOMPARE(m.cellsForFile(), before);
    }

    void leadCardFromTheClickedCharacter()
    {
        QString picked; // every caret position of "AK1032", and one past the end
        for (int caret = -1; caret <= 6; ++caret) {
            const QChar c = leadCharAt("AK1032", caret);
            picked += c.isNull() ? QChar('_') : c;
        }
        QCOMPARE(picked, "_AKTT32_"); // both characters of the 10 are the ten
        QStringList dutch, english;
        for (int i = 0; i < 8; ++i) {
            dutch << leadCardText(QStringLiteral("AHVBT17K")[i], LanguageDutch, false);
            english << leadCardText(QStringLiteral("AKQJT19H")[i], LanguageEnglish, true);
        }
        QCOMPARE(dutch.join(' '), "Aas Heer Vrouw Boer T T 7 K");
        QCOMPARE(english.join(' '), "Ace King Queen Jack 10 10 9 H");
        QCOMPARE(leadCardText(QChar(), LanguageDutch, false), "");
    }

    void leaderIsAskedAndStored()
    {
        QCOMPARE(leaderSeat(3, 5), 0); // the seat after the declarer, round the table
        QCOMPARE(leaderSeat(std::nullopt, 13), 3); // no declarer: the owner of the clicked hand
        QCOMPARE(leaderSeat(7, 16), -1);
        QCOMPARE(leadQuestion(3, 1, "Heer", LanguageDutch), "West start met Harten Heer");
        QCOMPARE(leadQuestion(0, 3, "10", LanguageEnglish), "North leads with the 10 of Clubs");
        QCOMPARE(leadRecord(0, 3, "10", LanguageEnglish), "North - 3T");
        QCOMPARE(leadRecord(3, 1, "Heer", LanguageDutch), "West - 1Heer");
    }
};

QTEST_APPLESS_MAIN(TestAuctionResult)
#include "test_auction_result.moc"
