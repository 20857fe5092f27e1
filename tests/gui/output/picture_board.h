#pragma once
// A main window whose Alt+Print Screen is answered by the program's own keyboard platform: the
// picture lands on the test's clipboard. What the window looked like at the moment the keys went
// out is noted for each capture.

#include "analysis/double_dummy_worker.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace briqo::testing {

// What a user sees of the window: what a capture must leave exactly as it found it.
struct WindowLookSeen {
    QString caption;
    QRect geometry;
    bool topmost = false;
    QList<QWidget *> visible; // every control that shows
    QStringList hands;
    bool timerRunning = false;
    bool biddingBoxEnabled = false;
};

inline WindowLookSeen lookOf(frmBordix &w)
{
    WindowLookSeen seen {w.windowTitle(), w.geometry(),
        w.windowHandle() && w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), {}, {},
        w.timVlaggen->isActive(), w.picBiedBox->isEnabled()};
    for (QWidget *control : w.findChildren<QWidget *>())
        if (control->isVisible())
            seen.visible << control;
    for (const QLineEdit *field : w.txtInvoer)
        seen.hands << field->text();
    return seen;
}

inline void compareLooks(const WindowLookSeen &now, const WindowLookSeen &before)
{
    QCOMPARE(now.caption, before.caption);
    QCOMPARE(now.geometry, before.geometry);
    QCOMPARE(now.topmost, before.topmost);
    QCOMPARE(now.visible, before.visible);
    QCOMPARE(now.hands, before.hands);
    QCOMPARE(now.timerRunning, before.timerRunning);
    QCOMPARE(now.biddingBoxEnabled, before.biddingBoxEnabled);
}

#define VERIFY_SAME_LOOK(now, before)                                                                                  \
    do {                                                                                                               \
        compareLooks(now, before);                                                                                     \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

// A main window whose pictures land on the test's clipboard and in the game folders.
class PictureBoard {
public:
    explicit PictureBoard(int languageNumber = 10, PrinterServices *printing = nullptr)
        : board(languageNumber, printing)
    { }

    frmBordix &window() { return board.window(); }
    QString gameFolder(long long n) { return window().store().folderOf(n); }
    QStringList pictures(long long n) { return QDir(gameFolder(n)).entryList(QDir::Files, QDir::Name); }

    TestBoard board;
};

// Counts every change of place, size, visibility, caption, state or stacking of a window and its
// controls while it lives: a picture must be made without any.
class WindowChanges : public QObject {
public:
    explicit WindowChanges(QWidget &window)
    {
        window.installEventFilter(this);
        for (QWidget *control : window.findChildren<QWidget *>())
            control->installEventFilter(this);
    }
    QStringList seen;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowTitleChange:
        case QEvent::WindowStateChange:
        case QEvent::ZOrderChange:
        case QEvent::EnabledChange:
            seen << watched->objectName() + QLatin1Char(':') + QString::number(int(event->type()));
            break;
        default:
            break;
        }
        return false;
    }
};

// The double-dummy table of a complete deal comes from the background; it must be on the board
// before a picture compares the window before and after, or it would appear in between.
inline void waitForTheTable()
{
    QVERIFY(DoubleDummyWorker::waitForIdle(20000));
    QCoreApplication::processEvents();
}

// Game n with the sample deal typed in, ready for a picture; what typing it said and paused is
// forgotten.
inline void readyForPicture(TestBoard &board, const QString &game)
{
    frmBordix &w = shown(board);
    typeSampleDeal(w, game);
    QVERIFY(w.cmdKopie->isEnabled());
    waitForTheTable();
    board.messages.shown.clear();
    board.messages.titles.clear();
    board.pause.pauses.clear();
}

// As readyForPicture, with calls bid and the game saved and shown again from the list, as a
// teacher does to picture a finished auction (the picture buttons wait for that).
inline void readyWithAuction(TestBoard &board, const QString &game, std::initializer_list<int> calls)
{
    frmBordix &w = board.window();
    readyForPicture(board, game);
    bid(w, calls);
    w.cmdOpslaan_Click();
    QVERIFY(selectGame(w, w.store().folderName(game.toLongLong())));
    w.cmdLeesSpel_Click();
    QVERIFY(w.cmdKopie->isEnabled());
    waitForTheTable();
    board.messages.shown.clear();
    board.messages.titles.clear();
    board.pause.pauses.clear();
}

} // namespace briqo::testing
