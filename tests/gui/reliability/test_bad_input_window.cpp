// The window against what a user, an editor or a failing disk may do to its files: every stored
// file of any shape loads without harm, a write that cannot be done is reported and changes
// nothing, and no stored game is lost.

#include "base/profile.h"
#include "base/string_table.h"
#include "core/reliability/hostile_disk.h"
#include "gui/output/picture_board.h"
#include "store/game_store.h"
#include "support/board_driver.h"
#include "support/child_windows.h"
#include "support/test_files.h"
#include "ui/main_window/frm_bordix.h"
#include "ui/question/question_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

using namespace briqo;
using namespace briqo::testing;
using test::FullDisk;
using test::ReadOnlyFolder;
using test::snapshot;

namespace {

const QString kNotADeal
    = QStringLiteral("Dit spel bevat een kaart twee keer of een hand met meer dan 13 kaarten.\nVerbeter de handen.");

// Game n stored as the program stores it: its deal, one opening bid, a contract, a lead, a
// question and an answer.
void storeGame(const GameStore &store, long long n)
{
    Game game;
    game.number = n;
    game.holdings = sampleHoldings(10);
    AuctionFile auction;
    auction.callKinds = QStringLiteral("1");
    auction.cells[0] = {QStringLiteral("1"), QStringLiteral("4"), QString()};
    game.auction = auction;
    QVERIFY(store.save(game));
    QVERIFY(store.writeContract(n, QStringLiteral("Noord 1 SA")));
    QVERIFY(store.writeLead(n, {QStringLiteral("Oost"), 1, QStringLiteral("Heer")}));
    QVERIFY(store.writeQuestion(n, QStringLiteral("Wat start Oost?")));
    QVERIFY(store.writeAnswer(n, QStringLiteral("Harten heer.")));
}

// Picks the entry in the list and loads it, as a click on the entry and on "Lees spel" do.
void loadFromList(frmBordix &w, const QString &entry)
{
    w.LeesSpellen();
    QVERIFY(selectGame(w, entry));
    w.cmdLeesSpel_Click();
}

bool offersSaving(const frmBordix &w) { return w.cmdOpslaan->isEnabled() && w.picBiedBox->isEnabled(); }

enum File { Auction, Hands, Lead, Contract, Question, Answer, AllFiles };

QString pathOf(const GameFilePaths &p, int file)
{
    return QStringList {p.auction, p.hands, p.lead, p.contract, p.question, p.answer}.value(file);
}

} // namespace

class TestBadInputWindow : public QObject {
    Q_OBJECT

    // Rows: a full disk of each kind and read-only folders, with what each refuses.
    void addRefusingDisks()
    {
        QTest::addColumn<QString>("disk");
        QTest::addColumn<bool>("newGameRefused");
        QTest::addColumn<bool>("overwriteRefused");
        QTest::addColumn<bool>("deleteRefused");
        // The games folder only holds the game folders: what is inside them may still change.
        QTest::newRow("read-only games folder") << "games folder" << true << false << true;
        QTest::newRow("read-only game folder") << "game folder" << false << true << true;
        // Removing needs no room on the disk.
        QTest::newRow("full disk: file size limit") << "file size limit" << true << true << false;
        QTest::newRow("full disk: full file system") << "full file system" << true << true << false;
    }

private slots:
    void storedFilesOfAnyShapeLoadWithoutChangingAnything_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<QByteArray>("bytes"); // the file's new content, or how to change every file
        QTest::addColumn<bool>("deal"); // the board offers bidding and saving
        QTest::addColumn<QString>("message");
        // Each reader's own faults are the store's tests; here the window loads what they give
        // and writes nothing back.
        QTest::newRow("auction file of 0 bytes") << int(Auction) << QByteArray() << true << QString();
        QTest::newRow("LF-only line ends") << int(AllFiles) << QByteArray("\n") << true << QString();
        const QByteArray random = randomBytes(5 * 1024 * 1024);
        QTest::newRow("5 MB of random bytes as auction file") << int(Auction) << random << true << QString();
        QTest::newRow("5 MB of random bytes as hands file") << int(Hands) << random << false << kNotADeal;
        const QByteArray deal = "AHVB\r\nAHV\r\nAHV\r\nAHV\r\nT987\r\nBT9\r\nBT9\r\nBT9\r\n"
                                "6543\r\n876\r\n876\r\n876\r\n2\r\n5432\r\n5432\r\n5432\r\n";
        QTest::newRow("hands with letters that are no cards")
            << int(Hands) << QByteArray(deal).replace("AHVB", "AXYZ") << false << kNotADeal;
        QTest::newRow("the same card in two hands")
            << int(Hands) << QByteArray(deal).replace("T987", "A987") << false << kNotADeal;
    }
    void storedFilesOfAnyShapeLoadWithoutChangingAnything()
    {
        QFETCH(int, file);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, deal);
        QFETCH(QString, message);
        TestBoard board(10);
        frmBordix &w = shown(board);
        const GameStore store = w.store();
        storeGame(store, 5);
        const GameFilePaths p = store.paths(5);
        if (file == AllFiles) {
            for (int f = Auction; f < AllFiles; ++f)
                put(pathOf(p, f),
                    QFile(pathOf(p, f)).open(QIODevice::ReadOnly) ? fileBytes(pathOf(p, f)).replace("\r\n", bytes)
                                                                  : "");
        } else {
            put(pathOf(p, file), bytes);
        }
        const auto before = snapshot(board.folder() + QStringLiteral("/Spellen"));

        loadFromList(w, QStringLiteral("Spel 005"));
        QCOMPARE(board.messages.shown, message.isEmpty() ? QStringList {} : QStringList {message});
        QCOMPARE(offersSaving(w), deal);
        QVERIFY(w.cmdWisSpel->isEnabled()); // whatever it holds, the game can be deleted
        if (file != Hands)
            QCOMPARE(w.holdings(), sampleHoldings(10));
        QCOMPARE(snapshot(board.folder() + QStringLiteral("/Spellen")), before);
    }

    void taalIniAsEditedByHandStartsSafelyAndKeepsWhatItHolds_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("language");
        QTest::newRow("nummer=99") << QByteArray("[Taal]\r\nnummer=99\r\n") << 10;
        QTest::newRow("nummer=abc") << QByteArray("[Taal]\r\nnummer=abc\r\n") << 10;
        QTest::newRow("a line of 1 MB") << "[Taal]\r\n; " + QByteArray(1024 * 1024, 'x') + "\r\nnummer=11\r\n" << 11;
        QTest::newRow("no sections") << QByteArray("nummer=11\r\nHoe=1\r\n") << 10;
        QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xEF\xBB\xBF[Taal]\r\nnummer=11\r\n") << 11;
    }
    void taalIniAsEditedByHandStartsSafelyAndKeepsWhatItHolds()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, language);
        QTemporaryDir program;
        const QString path = program.filePath(QStringLiteral("taal.ini"));
        put(path, ini);
        TestBoard started(program.path());
        const frmBordix &w = started.window();
        QCOMPARE(w.LanguageNumber, language);
        QCOMPARE(w.cmdOpslaan->text(), language == 10 ? QStringLiteral("Spel Opslaan") : QStringLiteral("Save Game"));
        QVERIFY(started.messages.shown.isEmpty());
        // Start-up wrote the list order and kept every line it found.
        QVERIFY(fileBytes(path).startsWith(ini));
        QCOMPARE(ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), path), QStringLiteral("0"));
    }

    void startingOnAFullDiskKeepsTheLanguageAndTheListOrder()
    {
        QTemporaryDir program;
        const QString path = program.filePath(QStringLiteral("taal.ini"));
        const QByteArray ini = "[Taal]\r\nnummer=11\r\n[Sorteer Spellen]\r\nHoe=1\r\n";
        put(path, ini);
        FullDisk disk(FullDisk::FileSizeLimit, program.path());
        disk.fill();
        {
            TestBoard started(program.path());
            QCOMPARE(started->LanguageNumber, 11);
            QVERIFY(started->chkSorteer->isChecked());
            started->chkSorteer->setChecked(false); // writes the order again
        }
        disk.drain();
        QCOMPARE(fileBytes(path), ini);
    }

    void aSaveOrDeleteThatTheDiskRefusesIsReportedAndChangesNothing_data() { addRefusingDisks(); }
    void aSaveOrDeleteThatTheDiskRefusesIsReportedAndChangesNothing()
    {
        QFETCH(QString, disk);
        QFETCH(bool, newGameRefused);
        QFETCH(bool, overwriteRefused);
        QFETCH(bool, deleteRefused);
        TestBoard board(10);
        frmBordix &w = shown(board);
        const GameStore store = w.store();
        const QString root = store.gamesRoot();
        // The small file system takes the place of the (still empty) games folder.
        std::unique_ptr<FullDisk> full;
        if (disk == QLatin1String("full file system"))
            full = std::make_unique<FullDisk>(FullDisk::SmallFileSystem, root);
        if (full && !full->ready())
            QSKIP("this machine cannot mount a small file system");
        storeGame(store, 5);
        if (disk == QLatin1String("file size limit"))
            full = std::make_unique<FullDisk>(FullDisk::FileSizeLimit, root);
        std::unique_ptr<ReadOnlyFolder> readOnly;
        if (disk.startsWith(QLatin1String("game")))
            readOnly
                = std::make_unique<ReadOnlyFolder>(disk == QLatin1String("games folder") ? root : store.folderOf(5));
        if (readOnly && !readOnly->ready())
            QSKIP("this machine cannot make a folder read-only for this user");
        if (full)
            full->fill();
        const auto refusedSave = [&board] {
            return !board.messages.shown.isEmpty()
                && board.messages.shown.last().startsWith(QStringLiteral("Het spel kan niet worden opgeslagen."));
        };

        // A new game, which needs a game folder of its own.
        auto before = snapshot(root);
        typeSampleDeal(w, QStringLiteral("6"));
        w.lblBB_Click(0);
        board.messages.shown.clear();
        w.cmdOpslaan_Click();
        QCOMPARE(refusedSave(), newGameRefused);
        QCOMPARE(w.board().unsavedChanges(), newGameRefused); // a refused call is still to be saved
        if (newGameRefused) {
            QCOMPARE(snapshot(root), before);
            board.messages.answers.enqueue(false); // not saving it now: the disk said no
        }

        // Game 5 again, over the stored one (asking first).
        loadFromList(w, QStringLiteral("Spel 005"));
        w.lblBB_Click(35);
        before = snapshot(root);
        board.messages.shown.clear();
        w.cmdOpslaan_Click();
        QCOMPARE(refusedSave(), overwriteRefused);
        QCOMPARE(w.board().unsavedChanges(), overwriteRefused);
        if (overwriteRefused)
            QCOMPARE(snapshot(root), before);

        before = snapshot(root);
        board.messages.shown.clear();
        QVERIFY(selectGame(w, QStringLiteral("Spel 005")));
        w.cmdWisSpel_Click(); // asks first: Yes
        if (full)
            full->drain();
        if (!deleteRefused) {
            QCOMPARE(board.messages.shown.size(), 1);
            QVERIFY(!listedGames(w).contains(QStringLiteral("Spel 005")));
            return;
        }
        QCOMPARE(board.messages.shown.size(), 2);
        QCOMPARE(board.messages.shown[1],
            QStringLiteral("Spel 005 kan niet helemaal worden gewist.\nHet spel blijft in de lijst staan."));
        QVERIFY(listedGames(w).contains(QStringLiteral("Spel 005")));
        QCOMPARE(snapshot(root), before);
    }

    void aPictureOrAQuestionTheFullDiskRefusesIsReportedAndLeavesNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("file size limit") << int(FullDisk::FileSizeLimit);
        QTest::newRow("full file system") << int(FullDisk::SmallFileSystem);
    }
    void aPictureOrAQuestionTheFullDiskRefusesIsReportedAndLeavesNothing()
    {
        QFETCH(int, kind);
        testing::PictureBoard p;
        frmBordix &w = p.window();
        const QString root = w.store().gamesRoot();
        FullDisk disk(FullDisk::Kind(kind), root);
        if (!disk.ready())
            QSKIP("this machine cannot mount a small file system");
        testing::readyWithAuction(p.board, QStringLiteral("5"), {4, 35, 35, 35});
        QVERIFY(w.store().writeQuestion(5, QStringLiteral("Wat start Oost?")));
        const auto before = snapshot(root);

        disk.fill();
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        const QStringList picture = p.board.messages.shown;
        p.board.messages.shown.clear();
        QTest::mouseClick(w.cmdVraagAntwoord, Qt::LeftButton);
        QuestionWindow *qa = openWindow<QuestionWindow>();
        QVERIFY(qa);
        qa->txtVraag->setPlainText(QString(300, QLatin1Char('v')));
        qa->txtAntwoord->setPlainText(QString(300, QLatin1Char('a')));
        qa->cmdOpslaan_Click();
        const QStringList question = p.board.messages.shown;
        qa->close();
        finishClosing();
        disk.drain();

        QCOMPARE(picture.size(), 1);
        QVERIFY(picture[0].contains(QStringLiteral("Spel 005.bmp")));
        QCOMPARE(question.size(), 1);
        QVERIFY(question[0].contains(QStringLiteral("Spel 005 Vraag.txt")));
        QCOMPARE(snapshot(root), before); // no picture, no cut-off question, no temporary file
    }

    void aPastedGameNumberKeepsOnlyItsDigits_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("game");
        // Which numbers are games is the board's test; a paste passes the key filter by.
        QTest::newRow("000") << "000"
                             << "000" << false;
        QTest::newRow(" 12") << " 12"
                             << "12" << true;
    }
    void aPastedGameNumberKeepsOnlyItsDigits()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        QFETCH(bool, game);
        TestBoard board(10);
        frmBordix &w = shown(board);
        const auto before = snapshot(board.folder());
        QGuiApplication::clipboard()->setText(pasted);
        giveFocus(w.txtSpel);
        QTest::keyClick(w.txtSpel, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.txtSpel->text(), field);
        QCOMPARE(w.txtInvoer[0]->isEnabled(), game);
        QCOMPARE(w.lblVulin[1]->isVisible(), game); // the dealer of a game
        QVERIFY(board.messages.shown.isEmpty());
        QCOMPARE(snapshot(board.folder()), before);
    }
};

QTEST_MAIN(TestBadInputWindow)
#include "test_bad_input_window.moc"
