#pragma once

#include "output/overview_rows.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressDialog;
class QPushButton;
class QTableWidget;

namespace briqo {

class DoubleDummyWorker;
class frmBordix;
struct DoubleDummyResult;

// The overview of every stored game with a contract: a table of game, declarer and contract,
// sorted by a click on a heading and printed. A click on a row loads that game in the main
// window behind it; the main window stays disabled while this window is open.
class OverviewWindow : public QWidget {
public:
    explicit OverviewWindow(frmBordix &main);
    ~OverviewWindow() override;

    QTableWidget *msfgResultaat = nullptr;
    QLabel *lblSpel = nullptr;
    QPushButton *cmdAfdrukken = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdFocus = nullptr;
    QPushButton *cmdHandout = nullptr;

    void Form_Load();
    // A click and a double click on the table act on its current row.
    void msfgResultaat_Click();
    void msfgResultaat_DblClick();
    void msfgResultaat_MouseDown(int x, int y);
    void cmdOpen_Click();
    void cmdAfdrukken_Click();
    void KleurRijen();
    // A handout PDF of the selected rows' games (of every row when none is selected), written
    // where the user chooses.
    void cmdHandout_Click();

    // The game of the row last chosen (its digits, "012"); empty before a row is chosen.
    const QString &chosenGame() const { return m_chosenGame; }

    // The rows as the table shows them, below its header row.
    const QList<OverviewRow> &rows() const { return m_rows; }
    // With the main window's double-dummy option on, a fourth column holds the par of each game,
    // worked out in the background one game after another (overview_par.cpp).
    bool showsPar() const { return m_withPar; }
    int columnCount() const { return m_withPar ? OverviewColumnCountWithPar : OverviewColumnCount; }
    // Games whose par is still to be worked out.
    int parsWaiting() const { return static_cast<int>(m_parQueue.size()) + (m_parGame.isEmpty() ? 0 : 1); }
    DoubleDummyWorker *parWorker() const { return m_parWorker; }
    // Shown when the par column takes more than a second; its Stop ends the work.
    QProgressDialog *parProgress() const { return m_parProgress; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void showRows();
    // Steps shared by the click and the double click: the game of the row goes into the main
    // window's game number. Returns the row's digits, empty for the header row.
    QString selectRowGame();
    void SetFocusIfPossible(QWidget *control);
    QString ResString(int n) const;

    void startParWork();
    void workOutNextPar();
    void showPar(const QString &digits, const QString &text);
    void showParProgress();
    void closeParProgress();
    void stopParWork();
    void widenParColumn();

    frmBordix &m_main;
    QString m_chosenGame;
    QList<OverviewRow> m_rows;
    bool m_withPar = false;
    // A row's game is being loaded onto the main window. The load moves the caret and lets
    // pending events run, so the second half of a double click can arrive in the middle of it:
    // the window then closes once the load has finished.
    bool m_loadingRow = false;
    bool m_closeAfterLoad = false;
    DoubleDummyWorker *m_parWorker = nullptr;
    QStringList m_parQueue; // game digits, in the order of the list
    QString m_parGame; // the game being worked out
    int m_parTotal = 0;
    bool m_parSolverMissing = false;
    QElapsedTimer m_parClock; // since the work started
    QProgressDialog *m_parProgress = nullptr; // after a second of work
};

// The form's name in the program's design.
using frmBordix_02 = OverviewWindow;

} // namespace briqo
