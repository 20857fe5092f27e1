#include "core/reliability/hostile_disk.h"
#include "exchange/exchange_strings.h"
#include "exchange/lin_format.h"
#include "exchange/pbn_reader.h"
#include "store/game_store.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "support/test_files.h"
#include "ui/main_window/frm_bordix.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace briqo;
using briqo::testing::contents;

namespace {

QString data(const char *name) { return QStringLiteral(BRIQO_TEST_DATA "/exchange/") + QLatin1String(name); }

const QString SampleDeal = QStringLiteral("N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74");

// Game 2 stored with a deal and a lead of its own, before the session's file is imported.
void storeGameTwo(const QString &folder)
{
    const GameStore store(folder, LanguageEnglish);
    Game game;
    game.number = 2;
    game.holdings = sampleHoldings(LanguageEnglish);
    QVERIFY(store.save(game));
    QVERIFY(store.writeLead(2, {QStringLiteral("South"), Spades, QStringLiteral("2")}));
}

} // namespace

class TestExchangeWindow : public QObject {
    Q_OBJECT

private slots:
    void importOfThreeBoardsWithOneClash_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<bool>("gameTwoReplaced");
        QTest::addColumn<QString>("summary");
        QTest::newRow("overwrite") << 0 << QStringList {"Game 001", "Game 002", "Game 003"} << true
                                   << "3 games written, 0 skipped, 0 refused.";
        QTest::newRow("skip") << 1 << QStringList {"Game 001", "Game 002", "Game 003"} << false
                              << "2 games written, 1 skipped, 0 refused.";
        QTest::newRow("cancel") << 2 << QStringList {"Game 002"} << false << QString();
    }
    void importOfThreeBoardsWithOneClash()
    {
        QFETCH(int, choice);
        QFETCH(QStringList, listed);
        QFETCH(bool, gameTwoReplaced);
        QFETCH(QString, summary);
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        storeGameTwo(board.folder());
        board.files.toOpen << data("session_results.pbn");
        board.messages.choices << choice;
        w.importGames();

        QCOMPARE(board.messages.buttons.size(), 1);
        QCOMPARE(board.messages.buttons[0], (QStringList {"Overwrite", "Skip", "Cancel"}));
        QCOMPARE(board.messages.shown[0],
            QStringLiteral("These games already exist:\nGame 002\n\nOverwrite, skip or cancel?"));
        const GameStore store(board.folder(), LanguageEnglish);
        QCOMPARE(store.list(), listed);
        if (!summary.isEmpty())
            QCOMPARE(w.lstSpellen->count(), listed.size()); // the list shows the new games
        QCOMPARE(store.load(2).contract == QLatin1String("West 3 NT"), gameTwoReplaced);
        QCOMPARE(!store.load(2).lead, gameTwoReplaced);
        if (summary.isEmpty()) {
            QCOMPARE(board.messages.shown.size(), 1); // cancelled: nothing written, nothing more said
        } else {
            QCOMPARE(board.messages.shown.size(), 2);
            QVERIFY(board.messages.shown[1].startsWith(summary + "\nBoard 1 appears 2 times"));
        }
    }

    void anUnreadableFileIsSaidAndNothingIsWritten()
    {
        TestBoard board(LanguageDutch);
        frmBordix &w = shown(board);
        board.files.toOpen << board.folder() + QStringLiteral("/missing.pbn");
        w.importGames();
        QCOMPARE(board.messages.shown.size(), 1);
        QVERIFY(board.messages.shown[0].endsWith(QLatin1String("missing.pbn kan niet worden gelezen.")));
        QVERIFY(GameStore(board.folder(), LanguageDutch).list().isEmpty());
    }

    // Such a file used to import "0 games written, 0 skipped, 0 refused."
    void aFileWithoutABoardIsSaid()
    {
        TestBoard board(LanguageDutch);
        frmBordix &w = shown(board);
        const QString nothing = board.folder() + QStringLiteral("/nothing.pbn");
        testing::put(nothing, QByteArray(512, '\0'));
        board.files.toOpen << nothing;
        w.importGames();
        QCOMPARE(board.messages.shown.size(), 1);
        QVERIFY(board.messages.shown[0].startsWith(nothing + QStringLiteral(" bevat geen enkel bord")));
    }

    void exportOfAllGamesAndOfTheGameOnTheBoard()
    {
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        board.files.toOpen << data("teaching.pbn");
        w.importGames();

        const QString all = board.folder() + QStringLiteral("/all.pbn");
        board.files.toSave << all;
        w.exportAllGames();
        QCOMPARE(board.files.suggestions.last(), QStringLiteral("Games.pbn"));
        QCOMPARE(readPbn(QString::fromLatin1(contents(all)), LanguageEnglish).boards.size(), 2);
        QCOMPARE(board.messages.shown.last(), QStringLiteral("2 games written to %1.").arg(all));

        // A full disk used to leave a cut or empty file in place of the earlier export.
        const QByteArray earlier = contents(all);
        {
            test::FullDisk disk(test::FullDisk::FileSizeLimit, board.folder(), 100);
            disk.fill();
            board.files.toSave << all;
            w.exportAllGames();
        }
        QCOMPARE(contents(all), earlier);
        QVERIFY(board.messages.shown.last().startsWith(all + QStringLiteral(" cannot be written: ")));
        QVERIFY(
            board.messages.shown.last().endsWith(QStringLiteral(".\nWhat was there already has not been changed.")));

        // Without a game number there is nothing on the board to export.
        w.exportBoardGame();
        QCOMPARE(board.messages.shown.last(), QStringLiteral("Type a game number first."));

        // Game 5 on the board: the deal pasted, its lead from the stored game.
        typeGameNumber(w, QStringLiteral("5"));
        w.pasteDeal(SampleDeal);
        const QString lin = board.folder() + QStringLiteral("/five.lin");
        board.files.toSave << lin;
        w.exportBoardGame();
        QCOMPARE(board.messages.shown.last(), QStringLiteral("1 game written to %1.").arg(lin));
        QCOMPARE(board.files.suggestions.last(), QStringLiteral("Game 005.pbn"));
        const LinReadResult read = readLin(QString::fromLatin1(contents(lin)));
        QCOMPARE(read.boards.size(), 1);
        QCOMPARE(read.boards[0].boardText, QStringLiteral("5"));
        QCOMPARE(read.boards[0].lead, (std::optional<ExchangeCard> {{Spades, QLatin1Char('2')}}));

        w.copyHandViewerLink();
        const QString link = board.clipboard.text();
        QVERIFY(link.startsWith(QLatin1String("https://www.bridgebase.com/tools/handviewer.html?lin=")));

        // A hand hidden from the board is still part of the deal that goes out.
        QTest::mouseClick(w.chkNietZichtbaar[East], Qt::LeftButton);
        QVERIFY(w.txtInvoer[FieldOf(East, Spades)]->text().isEmpty());
        const QString hidden = board.folder() + QStringLiteral("/hidden.lin");
        board.files.toSave << hidden;
        w.exportBoardGame();
        QVERIFY(board.messages.shown.last().contains(hidden)); // written, not "no deal"
        QCOMPARE(contents(hidden), contents(lin));
        board.clipboard.setText(QString());
        w.copyHandViewerLink();
        QCOMPARE(board.clipboard.text(), link);
    }

    // Each form a deal may be pasted in is the reader's test; here a paste fills the board.
    void aPastedDealFillsTheFourHands()
    {
        TestBoard board(LanguageDutch);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("5"));
        board.clipboard.setText(SampleDeal);
        giveFocus(w.txtInvoer[0]);
        QTest::keyClick(w.txtInvoer[0], Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(w.txtInvoer[FieldOf(West, Spades)]->text(), QStringLiteral("HV5"));
        QCOMPARE(w.txtInvoer[FieldOf(North, Hearts)]->text(), QStringLiteral("VB9862"));
        QCOMPARE(w.txtInvoer[FieldOf(East, Diamonds)]->text(), QStringLiteral("V8763"));
        QVERIFY(w.cmdOpslaan->isEnabled());
        QVERIFY(w.picBiedBox->isEnabled());
        QVERIFY(board.messages.shown.isEmpty());
    }

    void pasteOfTextThatIsNoDealChangesNothing()
    {
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("5"));
        board.clipboard.setText(QStringLiteral("See you on Tuesday"));
        giveFocus(w.lstSpellen);
        QTest::keyClick(w.lstSpellen, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(board.messages.shown.size(), 1);
        QVERIFY(board.messages.shown[0].startsWith(QLatin1String("The clipboard holds no deal.\nPaste a PBN deal")));
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->text().isEmpty());

        // A deal with a card twice is refused as a typed one would be.
        board.clipboard.setText(QString(SampleDeal)
                                    .replace(QStringLiteral("QJ74\""), QStringLiteral("QJ7K"))
                                    .replace(QStringLiteral("QJ74"), QStringLiteral("QJ7K")));
        giveFocus(w.txtInvoer[3]);
        QTest::keyClick(w.txtInvoer[3], Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(board.messages.shown.size(), 2);
        QVERIFY(board.messages.shown[1].startsWith(QLatin1String("This deal holds a card twice")));
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->text().isEmpty());
    }

    void theGamesFrameMenuSpeaksTheLanguage()
    {
        TestBoard board(LanguageDutch);
        frmBordix &w = shown(board);
        QMenu *menu = w.exchangeMenu();
        QStringList captions;
        for (QAction *action : menu->actions())
            captions << action->text();
        QCOMPARE(captions,
            (QStringList {"PBN-bestand inlezen...", "Dit spel exporteren (PBN of LIN)...",
                "Alle spellen exporteren naar PBN...", "Link voor de handviewer kopiëren", "Maak spellen..."}));
        QCOMPARE(w.fraSpellen->contextMenuPolicy(), Qt::CustomContextMenu);
        delete menu;
    }
};

QTEST_MAIN(TestExchangeWindow)
#include "test_exchange_window.moc"
