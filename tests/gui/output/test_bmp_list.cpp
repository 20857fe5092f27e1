// The pictures window of a game, opened from the main window's "List of BMP" button.

#include "support/board_driver.h"
#include "support/child_windows.h"
#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"
#include "ui/pictures/pictures_window.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace briqo;

namespace {

PicturesWindow *openPictures(frmBordix &w)
{
    QTest::mouseClick(w.cmdToonBMP, Qt::LeftButton);
    return openWindow<PicturesWindow>();
}

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

bool isOpen(const QPointer<PicturesWindow> &pictures) { return pictures && pictures->isVisible(); }

} // namespace

class TestBmpList : public QObject {
    Q_OBJECT

private slots:
    void listsTheGamesPicturesAndDeletesTheSelectedOnes()
    {
        TestBoard board;
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("5"));
        const GameStore store = w.store();
        for (const char *suffix : {"", "_1", "_10", "_2"})
            QVERIFY(store.writePicture(5, QString::fromLatin1(suffix), "BM"));

        QPointer<PicturesWindow> pictures = openPictures(w);
        QVERIFY(pictures);
        QVERIFY(!w.isEnabled());
        QVERIFY(pictures->isEnabled());
        QCOMPARE(pictures->windowHandle()->transientParent(), w.windowHandle());
        QCOMPARE(pictures->windowTitle(), w.caption());
        QCOMPARE(pictures->lblSpelNummer->text(), QStringLiteral("BMP bestanden van spel: 5"));
        QCOMPARE(pictures->cmdWissen->text(), QStringLiteral("Wis BMP"));
        QCOMPARE(pictures->cmdTerug->text(), QStringLiteral("Terug"));
        QCOMPARE(entries(pictures->lstBMP), (QStringList {"Spel 005", "Spel 005_1", "Spel 005_10", "Spel 005_2"}));
        QVERIFY(!pictures->cmdWissen->isEnabled());
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            pictures->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/pictures_window.png"));

        // Two of them selected and deleted at once, without a question.
        pictures->lstBMP->item(0)->setSelected(true);
        pictures->lstBMP->item(2)->setSelected(true);
        QVERIFY(pictures->cmdWissen->isEnabled());
        QTest::mouseClick(pictures->cmdWissen, Qt::LeftButton);
        QCOMPARE(entries(pictures->lstBMP), (QStringList {"Spel 005_1", "Spel 005_2"}));
        QCOMPARE(store.pictures(5), (QStringList {"Spel 005_1.bmp", "Spel 005_2.bmp"}));
        QVERIFY(board.messages.shown.isEmpty());
        QVERIFY(!pictures->cmdWissen->isEnabled()); // nothing is selected any more

        pictures->lstBMP->selectAll();
        QTest::mouseClick(pictures->cmdWissen, Qt::LeftButton);
        QVERIFY(entries(pictures->lstBMP).isEmpty());
        QVERIFY(store.pictures(5).isEmpty());

        QTest::mouseClick(pictures->cmdTerug, Qt::LeftButton);
        QVERIFY(!isOpen(pictures));
        QVERIFY(w.isEnabled());
    }

    void escapeClosesItAndOnlyIt()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("42"));
        QPointer<PicturesWindow> pictures = openPictures(w);
        QVERIFY(pictures);
        QCOMPARE(pictures->lblSpelNummer->text(), QStringLiteral("BMP files from game: 42"));
        // A game number never used before gets its (empty) folder.
        QVERIFY(QFileInfo(w.store().folderOf(42)).isDir());
        QVERIFY(entries(pictures->lstBMP).isEmpty());

        QTest::keyClick(pictures->lstBMP, Qt::Key_Escape);
        QVERIFY(!isOpen(pictures));
        QVERIFY(w.isEnabled());
        QVERIFY(!board.ended); // the main window's Escape ends the program; this one's does not
    }

    void picturesThatCannotGoAreNamed()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("5"));
        const GameStore store = w.store();
        QVERIFY(store.writePicture(5, QString(), "BM"));
        QVERIFY(store.writePicture(5, QStringLiteral("_1"), "BM"));
        QPointer<PicturesWindow> pictures = openPictures(w);
        QVERIFY(pictures);
        pictures->lstBMP->selectAll();
        // An immutable folder: not even root may remove the pictures in it.
        const QString folder = store.folderOf(5);
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0)
            QSKIP("the file system cannot make a folder immutable");
        QTest::mouseClick(pictures->cmdWissen, Qt::LeftButton);
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
        QCOMPARE(entries(pictures->lstBMP), (QStringList {"Game 005", "Game 005_1"}));
        QCOMPARE(board.messages.shown,
            QStringList {QStringLiteral("These pictures cannot be deleted:\nGame 005.bmp\nGame 005_1.bmp")});
        QVERIFY(QApplication::overrideCursor() == nullptr);
        pictures->close();
    }
};

QTEST_MAIN(TestBmpList)
#include "test_bmp_list.moc"
