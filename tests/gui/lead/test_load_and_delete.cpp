// A stored game on the board (its lead and its bidding box) and deleting a stored game.

#include "lead_board.h"
#include "support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTableWidget>

using namespace briqo;
using namespace briqo::testing;

namespace {

// Game 5 typed, bid and saved through the window (which moves on to game 6), given the lead of the
// card by West unless card is empty, and shown again from the list.
void storeAndLoadGameFive(TestBoard &board, const QList<int> &calls, const QString &card = {})
{
    frmBordix &w = board.window();
    startDeal(w, QStringLiteral("5"));
    for (int k : calls)
        w.lblBB_Click(k);
    w.cmdOpslaan_Click();
    QCOMPARE(w.txtSpel->text(), QStringLiteral("6"));
    const bool dutch = w.LanguageNumber == 10;
    const QString entry = dutch ? QStringLiteral("Spel 005") : QStringLiteral("Game 005");
    const QString game = board.folder() + (dutch ? "/Spellen/" : "/Games/") + entry + '/' + entry;
    if (!card.isEmpty())
        put(game + (dutch ? " Uitkomst.txt" : " Lead.txt"), "West - 1" + card.toLatin1() + "\r\n");
    QVERIFY(selectGame(w, entry));
    w.cmdLeesSpel_Click();
    board.messages.shown.clear();
}

// Makes a folder immutable, so that not even root may empty it, or frees it again.
bool setImmutable(const QString &path, bool on)
{
    return QProcess::execute(QStringLiteral("chattr"), {on ? "+i" : "-i", path}) == 0;
}

} // namespace

class TestLoadAndDelete : public QObject {
    Q_OBJECT

private slots:
    void storedGameShowsItsLeadAndOffersOnlyHigherBids_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QList<int>>("calls");
        QTest::addColumn<int>("highest");
        QTest::addColumn<QString>("card");
        QTest::newRow("1H pass 2C: level counts first; Dutch lead") << 10 << QList<int> {2, Pass, 5} << 5 << "Vrouw";
        QTest::newRow("1C 1S: then strain; English lead") << 11 << QList<int> {0, 3} << 3 << "Queen";
        QTest::newRow("passes only, no lead") << 10 << QList<int> {Pass, Pass} << -1 << "";
    }
    void storedGameShowsItsLeadAndOffersOnlyHigherBids()
    {
        QFETCH(int, language);
        QFETCH(QList<int>, calls);
        QFETCH(int, highest);
        QFETCH(QString, card);
        TestBoard board(language);
        frmBordix &w = board.window();
        storeAndLoadGameFive(board, calls, card);

        QVERIFY(w.picBiedBox->isEnabled());
        for (int k = 0; k < 35; ++k)
            QCOMPARE(w.picBBA[k]->isHidden(), k <= highest);
        if (!card.isEmpty())
            return verifyLeadLine(w, QStringLiteral("West"), card, 108);
        QVERIFY(leadLineHidden(w) && !w.chkUitKomst->isHidden());
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Geef uitkomst"));
        QCOMPARE(w.chkUitKomst->y(), w.lblVulin[5]->y()); // where the lead line would be
    }

    void aHandEditedGameThatIsNoDealLoadsWholeButOffersNothing_data()
    {
        QTest::addColumn<QByteArray>("northSpades");
        QTest::newRow("a hand of twenty cards") << QByteArray("AHVBT98765432");
        QTest::newRow("fourteen spades typed in an editor") << QByteArray("AHVB1098765432");
    }

    void aHandEditedGameThatIsNoDealLoadsWholeButOffersNothing()
    {
        QFETCH(QByteArray, northSpades);
        TestBoard board(10);
        frmBordix &w = board.window();
        storeAndLoadGameFive(board, {Pass, Pass, FourHearts, Pass, Pass, Pass});
        const QString hands = board.folder() + QStringLiteral("/Spellen/Spel 005/Spel 005 handen.txt");
        QByteArray bytes = fileBytes(hands);
        bytes.replace(0, bytes.indexOf("\r\n"), northSpades);
        put(hands, bytes);

        QVERIFY(selectGame(w, QStringLiteral("Spel 005")));
        w.cmdLeesSpel_Click();
        // Nothing cut; the ten is shown "T" as everywhere on the board without the option.
        QCOMPARE(
            w.txtInvoer[0]->text(), QString::fromLatin1(northSpades).replace(QLatin1String("10"), QLatin1String("T")));
        QCOMPARE(board.messages.shown,
            QStringList {QStringLiteral("Dit spel bevat een kaart twee keer of een hand met meer dan 13 kaarten.\n"
                                        "Verbeter de handen.")});
        for (QWidget *c : std::initializer_list<QWidget *> {
                 w.cmdOpslaan, w.cmdKopie, w.cmdDrukSpelAf, w.cmdNaarKlembord, w.picBiedBox, w.cmdDraai})
            QVERIFY(!c->isEnabled());
        QVERIFY(w.cmdWisSpel->isEnabled());
        QCOMPARE(fileBytes(hands).left(northSpades.size()), northSpades); // the stored game is untouched
    }

    void aGameThatIsNoDealIsRefusedOnceWhenItFillsAnEmptyBoard()
    {
        // North's spades written with blanks: while the fields fill one by one the blanks count as
        // cards, and the board passes 52 "cards" before the last field is written.
        TestBoard board(10);
        frmBordix &w = board.window();
        storeAndLoadGameFive(board, {});
        const QString hands = board.folder() + QStringLiteral("/Spellen/Spel 005/Spel 005 handen.txt");
        QByteArray bytes = fileBytes(hands);
        bytes.replace(0, bytes.indexOf("\r\n"), "A H VB 9");
        put(hands, bytes);
        typeGameNumber(w, QStringLiteral("6")); // an empty board to fill
        board.messages.shown.clear();

        QVERIFY(selectGame(w, QStringLiteral("Spel 005")));
        w.cmdLeesSpel_Click();
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("A H VB 9"));
        QCOMPARE(board.messages.shown,
            QStringList {QStringLiteral("Dit spel bevat een kaart twee keer of een hand met meer dan 13 kaarten.\n"
                                        "Verbeter de handen.")});
    }

    void aGameFileThatCannotBeRemovedIsReportedAndTheGameStaysListed()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        storeAndLoadGameFive(board, {Pass, Pass, FourHearts, Pass, Pass, Pass}, QStringLiteral("Heer"));
        const QString folder = board.folder() + QStringLiteral("/Spellen/Spel 005");
        const QString hands = folder + QStringLiteral("/Spel 005 handen.txt");
        if (!setImmutable(hands, true))
            QSKIP("chattr +i is not available here");
        const auto unlock = qScopeGuard([&] { setImmutable(hands, false); });
        board.messages.answers.enqueue(true);
        w.cmdWisSpel_Click();
        QCOMPARE(board.messages.shown.last(),
            QStringLiteral("Spel 005 kan niet helemaal worden gewist.\nHet spel blijft in de lijst staan."));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Spel 005 bieding.txt")));
        QCOMPARE(listedGames(w), QStringList {QStringLiteral("Spel 005")});
    }

    void deleteAsksAndRemovesTheFolderWithEverythingInIt()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        storeAndLoadGameFive(board, {Pass, Pass, FourHearts, Pass, Pass, Pass}, QStringLiteral("Heer"));
        const QString folder = board.folder() + QStringLiteral("/Spellen/Spel 005");
        for (const char *file : {"/Spel 005 Vraag.txt", "/Spel 005 Antwoord.txt", "/Spel 005 1.bmp", "/oud/2.bmp"})
            put(folder + file, "x");
        const QString old = folder + QStringLiteral("/oud");
        put(board.folder() + QStringLiteral("/Spellen/Spel 009/Spel 009 bieding.txt"), ""); // a game that stays
        const QStringList files = QDir(folder).entryList(QDir::Files);
        const QString question = QStringLiteral("Spel 005 definitief wissen?\n\nZeker weten?");

        board.messages.answers.enqueue(false);
        w.cmdWisSpel_Click();
        QCOMPARE(board.messages.shown, QStringList {question});
        QCOMPARE(QDir(folder).entryList(QDir::Files), files); // No changes nothing
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("AHVB"));

        // A sub-folder the user made there stops the deletion before anything goes; the game stays.
        board.messages.answers.enqueue(true);
        w.cmdWisSpel_Click();
        QCOMPARE(board.messages.shown.last(),
            QStringLiteral("Spel 005 bevat ook dingen die niet bij het spel horen:\noud\n\nHet spel is niet gewist."));
        QCOMPARE(QDir(folder).entryList(QDir::Files), files);
        QCOMPARE(listedGames(w), (QStringList {QStringLiteral("Spel 005"), QStringLiteral("Spel 009")}));
        QVERIFY(selectGame(w, QStringLiteral("Spel 005")));
        QVERIFY(QDir(old).removeRecursively());

        board.messages.shown.clear();
        bid(w, {0}); // a call not saved: the emptied board is still not offered for saving
        QVERIFY(w.board().unsavedChanges());
        QTest::mouseClick(w.cmdWisSpel, Qt::LeftButton);
        QCOMPARE(board.messages.shown, QStringList {question});
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(listedGames(w), QStringList {QStringLiteral("Spel 009")});
        // An empty board that waits for a game number.
        QCOMPARE(w.txtSpel->text(), QString());
        QVERIFY(!w.cmdWisSpel->isEnabled() && !w.cmdLeesSpel->isEnabled() && !w.cmdDraai->isEnabled());
        for (int seat = 0; seat < 4; ++seat) {
            QVERIFY(w.lblB[seat][0]->isHidden());
            QCOMPARE(w.txtInvoer[FieldOf(seat, Spades)]->text(), QString());
            QCOMPARE(w.msfgOverzicht->item(seat + 1, 2)->text(), QStringLiteral("0"));
        }
        QVERIFY(w.lblVulin[6]->isHidden() && w.chkUitKomst->isHidden());
    }
};

QTEST_MAIN(TestLoadAndDelete)
#include "test_load_and_delete.moc"
