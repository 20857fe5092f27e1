// A stored game on the board (its lead and its bidding box) and deleting a stored game.

#include "lead_board.h"

#include "resources/pictures.h"
#include "store/game_files.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>

#include <unistd.h>

using namespace briqo;
using namespace briqo::testing;

namespace {

QString gameFolder(TestBoard &board, int languageNumber, const QString &digits)
{
    return languageNumber == 10 ? board.folder() + QStringLiteral("/Spellen/Spel ") + digits
                                : board.folder() + QStringLiteral("/Games/Game ") + digits;
}

// Game 5 typed, bid and saved through the window; the board then moves on to game 6.
void storeGameFive(TestBoard &board, std::initializer_list<int> calls)
{
    frmBordix &w = board.window();
    activate(w);
    typeDeal(w, QStringLiteral("5"));
    bid(w, calls);
    w.cmdOpslaan_Click();
    QCOMPARE(w.txtSpel->text(), QStringLiteral("6"));
    board.messages.shown.clear();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void loadGame(frmBordix &w, const QString &entry)
{
    QVERIFY(selectGame(w, entry));
    w.cmdLeesSpel_Click();
}

// Makes a folder that not even root may empty, and frees it again when the test ends: the
// immutable attribute for root, a folder without write permission for anyone else.
class LockedFolder {
public:
    explicit LockedFolder(const QString &path)
        : m_path(path)
    {
        if (geteuid() != 0) {
            m_locked = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        } else if (const QString chattr = QStandardPaths::findExecutable(QStringLiteral("chattr")); !chattr.isEmpty()) {
            m_chattr = chattr;
            m_locked = QProcess::execute(chattr, { QStringLiteral("+i"), path }) == 0;
        }
    }
    ~LockedFolder()
    {
        if (!m_chattr.isEmpty())
            QProcess::execute(m_chattr, { QStringLiteral("-i"), m_path });
        else
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool locked() const { return m_locked; }

private:
    QString m_path;
    QString m_chattr;
    bool m_locked = false;
};

} // namespace

class TestLoadAndDelete : public QObject {
    Q_OBJECT

private slots:
    void storedLeadIsShownInTheOrderOfTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("leadLine");
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("boxCaption");
        QTest::newRow("Dutch lead") << 10 << QByteArray("West - 1Vrouw\r\n") << "Vrouw"
                                    << "Wis uitkomst";
        QTest::newRow("English lead") << 11 << QByteArray("West - 1Queen\r\n") << "Queen"
                                      << "Delete lead";
        QTest::newRow("Dutch, no lead") << 10 << QByteArray() << ""
                                        << "Geef uitkomst";
        QTest::newRow("English, no lead") << 11 << QByteArray() << ""
                                          << "Give lead";
    }
    void storedLeadIsShownInTheOrderOfTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QByteArray, leadLine);
        QFETCH(QString, card);
        QFETCH(QString, boxCaption);
        TestBoard board(language);
        frmBordix &w = board.window();
        storeGameFive(board, { Pass, Pass, contractBid(4, HeartsStrain), Pass, Pass, Pass });
        const QString folder = gameFolder(board, language, QStringLiteral("005"));
        const QString entry = QDir(folder).dirName();
        if (!leadLine.isEmpty())
            writeFile(folder + QLatin1Char('/') + entry + (language == 10 ? " Uitkomst.txt" : " Lead.txt"), leadLine);

        loadGame(w, entry);

        QCOMPARE(w.chkUitKomst->text(), boxCaption);
        QVERIFY(!w.chkUitKomst->isHidden());
        if (leadLine.isEmpty()) {
            QVERIFY(w.lblVulin[5]->isHidden() && w.picUit->isHidden() && w.lblVulin[6]->isHidden());
            QCOMPARE(w.chkUitKomst->y(), w.lblVulin[5]->y());
            return;
        }
        QVERIFY(!w.lblVulin[5]->isHidden() && !w.picUit->isHidden() && !w.lblVulin[6]->isHidden());
        QCOMPARE(w.lblVulin[5]->text(), QStringLiteral("West - "));
        QCOMPARE(w.lblVulin[6]->text(), card);
        QCOMPARE(pictureIdOf(w.picUit), 108);
        const int afterLeader = w.lblVulin[5]->geometry().right();
        if (language == 10) {
            QVERIFY(w.picUit->x() >= afterLeader);
            QVERIFY(w.lblVulin[6]->x() > w.picUit->geometry().right());
        } else {
            QVERIFY(w.lblVulin[6]->x() >= afterLeader);
            QVERIFY(w.picUit->x() > w.lblVulin[6]->geometry().right());
        }
        QVERIFY(w.chkUitKomst->y() > w.lblVulin[5]->y());
    }

    void loadedAuctionOffersOnlyHigherBids_data()
    {
        QTest::addColumn<QList<int>>("calls");
        QTest::addColumn<int>("highest");
        QTest::newRow("1H pass 2C") << QList<int> { contractBid(1, HeartsStrain), Pass, contractBid(2, ClubsStrain) }
                                    << contractBid(2, ClubsStrain);
        QTest::newRow("1C 1S") << QList<int> { contractBid(1, ClubsStrain), contractBid(1, SpadesStrain) }
                               << contractBid(1, SpadesStrain);
        QTest::newRow("passes only") << QList<int> { Pass, Pass } << -1;
    }
    void loadedAuctionOffersOnlyHigherBids()
    {
        QFETCH(QList<int>, calls);
        QFETCH(int, highest);
        TestBoard board(10);
        frmBordix &w = board.window();
        storeGameFive(board, {});
        // The calls are made on game 5 again and saved over it.
        loadGame(w, QStringLiteral("Spel 005"));
        for (int k : calls)
            w.lblBB_Click(k);
        w.cmdOpslaan_Click();
        QCOMPARE(board.messages.shown.size(), 1); // the question whether to overwrite game 5

        loadGame(w, QStringLiteral("Spel 005"));
        QVERIFY(w.picBiedBox->isEnabled());
        for (int k = 0; k < 35; ++k)
            QCOMPARE(w.picBBA[k]->isHidden(), k <= highest);
    }

    void deleteWithYesRemovesTheFolderWithEverythingInIt()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        storeGameFive(board, { Pass, Pass, contractBid(4, HeartsStrain), Pass, Pass, Pass });
        const QString folder = gameFolder(board, 10, QStringLiteral("005"));
        writeFile(folder + QStringLiteral("/Spel 005 Uitkomst.txt"), "West - 1Heer\r\n");
        writeFile(folder + QStringLiteral("/Spel 005 Vraag.txt"), "Wat start West?\r\n");
        writeFile(folder + QStringLiteral("/Spel 005 Antwoord.txt"), "Harten heer.\r\n");
        writeFile(folder + QStringLiteral("/Spel 005 1.bmp"), "BM");
        QVERIFY(QDir(folder).mkdir(QStringLiteral("oud")));
        writeFile(folder + QStringLiteral("/oud/Spel 005 2.bmp"), "BM");
        // Another stored game, which must stay.
        const QString other = gameFolder(board, 10, QStringLiteral("009"));
        QVERIFY(QDir().mkpath(other));
        QVERIFY(writeAuctionFile(other + QStringLiteral("/Spel 009 bieding.txt"), AuctionFile {}));
        w.LeesSpellen();
        loadGame(w, QStringLiteral("Spel 005"));
        QVERIFY(!w.lblVulin[6]->isHidden());

        w.UnsavedChanges = true; // the emptied board is not offered for saving
        QVERIFY(w.cmdWisSpel->isEnabled());
        QTest::mouseClick(w.cmdWisSpel, Qt::LeftButton);

        QCOMPARE(board.messages.shown, QStringList { QStringLiteral("Spel 005 definitief wissen?\n\nZeker weten?") });
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(listedGames(w), QStringList { QStringLiteral("Spel 009") });
        QVERIFY(QFileInfo::exists(other));

        // An empty board that waits for a game number.
        QCOMPARE(w.txtSpel->text(), QString());
        QVERIFY(!w.cmdWisSpel->isEnabled() && !w.cmdLeesSpel->isEnabled() && !w.cmdDraai->isEnabled());
        for (int seat = 0; seat < 4; ++seat) {
            for (int row = 0; row < 9; ++row)
                QVERIFY(w.lblB[seat][row]->isHidden());
            QCOMPARE(w.msfgOverzicht->item(seat + 1, 2)->text(), QStringLiteral("0"));
        }
        for (QLineEdit *field : w.txtInvoer)
            QCOMPARE(field->text(), QString());
        QVERIFY(w.lblVulin[6]->isHidden() && w.chkUitKomst->isHidden());
        QCOMPARE(board.messages.shown.size(), 1);
    }

    void deleteWithNoChangesNothing()
    {
        TestBoard board(11);
        frmBordix &w = board.window();
        storeGameFive(board, { Pass, Pass, Pass, Pass });
        const QString folder = gameFolder(board, 11, QStringLiteral("005"));
        const QStringList files = QDir(folder).entryList(QDir::Files);
        loadGame(w, QStringLiteral("Game 005"));
        board.messages.answers.enqueue(false);

        w.cmdWisSpel_Click();

        QCOMPARE(board.messages.shown, QStringList { QStringLiteral("Delete Game 005 permanently?\n\nAre you sure?") });
        QCOMPARE(QDir(folder).entryList(QDir::Files), files);
        QCOMPARE(listedGames(w), QStringList { QStringLiteral("Game 005") });
        QCOMPARE(w.txtSpel->text(), QStringLiteral("5"));
        QVERIFY(w.cmdWisSpel->isEnabled());
        QCOMPARE(w.txtInvoer[0]->text(), dealField(0, 11));
    }

    void folderThatCannotBeEmptiedIsReportedAndStaysListed()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        storeGameFive(board, { Pass, Pass, Pass, Pass });
        const QString folder = gameFolder(board, 10, QStringLiteral("005"));
        const QString stuck = folder + QStringLiteral("/vast");
        QVERIFY(QDir(folder).mkdir(QStringLiteral("vast")));
        writeFile(stuck + QStringLiteral("/a.bmp"), "BM");
        writeFile(stuck + QStringLiteral("/b.bmp"), "BM");
        const LockedFolder lock(stuck);
        if (!lock.locked() || QFile::remove(stuck + QStringLiteral("/a.bmp")))
            QSKIP("no way to make a folder that cannot be emptied here");
        loadGame(w, QStringLiteral("Spel 005"));

        w.cmdWisSpel_Click();

        QCOMPARE(board.messages.shown.last(),
            QStringLiteral("Spel 005 kan niet helemaal worden gewist.\nHet spel blijft in de lijst staan."));
        QCOMPARE(listedGames(w), QStringList { QStringLiteral("Spel 005") });
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Spel 005 bieding.txt")));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Spel 005 handen.txt")));
        QCOMPARE(w.txtSpel->text(), QStringLiteral("5"));
    }
};

QTEST_MAIN(TestLoadAndDelete)
#include "test_load_and_delete.moc"
