#pragma once
// A main window whose Alt+Print Screen is answered by the program's own keyboard platform: the
// picture lands on the test's clipboard. What the window looked like at the moment the keys went
// out is noted for each capture.

#include "analysis/double_dummy_worker.h"
#include "keys/key_platform.h"
#include "shell/frm_bordix.h"
#include "support/board_driver.h"
#include "support/fake_services.h"

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

// A main window answering Alt+Print Screen into its fake clipboard; seen holds the window as it
// was when the keys went out, for each capture.
class PictureBoard {
public:
    explicit PictureBoard(int languageNumber = 10)
        : board(languageNumber)
    {
        board.keys.onSend = [this](const std::vector<KeyInput> &events) {
            const bool printScreen = std::any_of(events.begin(), events.end(),
                [](const KeyInput &e) { return e.wVk == VkSnapshot && !(e.dwFlags & KeyEventKeyUp); });
            if (!printScreen)
                return;
            frmBordix &w = board.window();
            seen.push_back(lookOf(w));
            questionAtCapture = w.txtVraag->isHidden() ? QRect() : w.txtVraag->geometry();
            notesAtCapture = {w.lblMakerNote[0]->geometry(), w.lblMakerNote[1]->geometry()};
        };
    }

    frmBordix &window() { return board.window(); }
    QString gameFolder(long long n) { return window().store().folderOf(n); }
    QStringList pictures(long long n) { return QDir(gameFolder(n)).entryList(QDir::Files, QDir::Name); }

    TestBoard board;
    QList<WindowLookSeen> seen;
    QRect questionAtCapture;
    std::pair<QRect, QRect> notesAtCapture;
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
    frmBordix &w = board.window();
    activate(w);
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
