#pragma once

#include "deal/deal.h"

#include <QList>
#include <QString>

#include <array>

namespace briqo {

// Seats of the grid columns, clockwise (deal.h); strains in bidding order 0 clubs .. 4 no trump.
constexpr int AuctionRows = 9;
constexpr int AuctionCells = AuctionRows * SeatCount;
constexpr int ContractBidCount = 35;

// Bidding-box buttons: 0..34 are the contract bids (level k / 5 + 1, strain k % 5).
namespace BoxButton {
constexpr int Pass = 35;
constexpr int Double = 36;
constexpr int Redouble = 37;
constexpr int Number = 38;
constexpr int DeleteLast = 39;
constexpr int DeleteAll = 40;
} // namespace BoxButton

// One cell of the auction grid, as the window shows it.
// caption: "1".."7", the pass / double / redouble word, "-" before the dealer, or "".
// code:    "0".."4" strain of a contract bid, "5" pass, "6" double, "7" redouble, or "".
// note:    "(n)" for a numbered bid, "*" at rest, or "".
// The strain picture follows from the code ("0".."4") whenever pictureVisible is set.
struct AuctionCell {
    QString caption;
    QString code;
    QString note;
    bool callVisible = false;
    bool pictureVisible = false;
    bool noteVisible = false;

    bool operator==(const AuctionCell &) const = default;
};

// One line of the auction file: caption ~ code ~ note.
struct FileCell {
    QString caption;
    QString code;
    QString note;

    bool operator==(const FileCell &) const = default;
};

// What the common tail of a click decided.
enum class AuctionEnd {
    NotRun, // the tail did not run: the click was ignored, refused, or awaits the delete-all question
    PassedOut, // four passes: show the contract ("Pass"), disable the whole box
    TooShort, // fewer than four calls: nothing more to do
    Finished, // three passes after a call: show the contract, disable the box, enable the 16 hand
              // fields, hide the row numbers listed, normalise the hands, focus to hand field 0
    Continues // enable hand field 0 and give it the focus
};

struct TailOutcome {
    AuctionEnd end = AuctionEnd::NotRun;
    QList<int> hiddenRowNumbers; // Finished only: rows whose number label is hidden, from row 8 up
};

// Everything the window must do after one click on the box. The window redraws every cell and
// the contract buttons from the model after each click; the flags below are the rest.
struct ClickOutcome {
    bool ignored = false; // nothing else applies (a click past a passed-out auction, or a
                          // number/delete click with no calls yet)
    bool focusToCmdFocus = false; // the box gives up the focus (every click except the silent ignore)
    bool setUnsavedChanges = false; // the board now differs from the saved game
    bool disableSaveAndRotate = false; // delete last: the four hidden-hand boxes, rotate and save off
    bool disableOutputs = false; // picture, print, clipboard, hidden-hands frame, question button off
    bool clearRememberedDeclarer = false; // delete last: the declarer kept for the lead is forgotten
    bool refused = false; // an illegal double or redouble, or a call with no free cell:
                          // the auction is unchanged and the tail does not run
    bool askDeleteAll = false; // delete all: ask the confirmation, then see clearAll()
    TailOutcome tail;
};

// The auction of the board: the 9 x 4 grid, the call history and the bidding box.
//
// A call when all 36 cells are taken is refused entirely (nothing is appended to CallKinds and
// the box is unchanged): nine rows are the grid's limit, and a call that cannot be shown must
// not count.
class AuctionModel {
public:
    AuctionModel();

    // Board set-up for a new game number: every cell hidden and emptied, the cells of row 0 before
    // the dealer read "-", CallKinds empty, NoteCounter 1, double flags cleared, all bids on offer.
    // A dealer outside 0..3 is taken as North.
    void resetForGame(int dealer);

    // One click on box button k (0..40). caption is the text of that button; contract bids always
    // show their level digit, and an empty word for pass / double / redouble falls back to the
    // English word. A k outside 0..40 is ignored.
    //
    // Delete all (k 40): the outcome only asks the window to put the question. On Yes the window
    // re-runs the board set-up for the same game and calls clearAll(dealer); on Yes or No it then
    // applies commonTail().
    ClickOutcome click(int k, const QString &caption);

    // The state changes of "delete entire bidding" that the auction owns (grid, history, box).
    void clearAll(int dealer);

    // The common tail for the present history (see AuctionEnd).
    TailOutcome commonTail() const;

    // Every contract bid on offer again.
    void showAllBids();

    // Loads a stored auction: the history line and the 36 cells in file order (North rows 0..8,
    // then East, South, West). Missing cells count as empty, extra ones are ignored. Doubled,
    // Redoubled, NoteCounter, the last call and the box are derived from what was read.
    void loadFrom(const QString &callKinds, const QList<FileCell> &cells);

    // The 36 cells in file order, for saving.
    QList<FileCell> cellsForFile() const;

    // Cells outside the grid read as an empty cell; writes outside it are ignored.
    const AuctionCell &cell(int row, int seat) const;
    void setCell(int row, int seat, const AuctionCell &cell); // for turning the board

    // Contract button k (0..34) on offer; false outside that range.
    bool bidVisible(int k) const;

    const QString &CallKinds() const { return m_callKinds; }
    int LastCallRow() const { return m_lastCallRow; }
    int LastCallSeat() const { return m_lastCallSeat; }
    int NoteCounter() const { return m_noteCounter; }
    bool Doubled() const { return m_doubled; }
    bool Redoubled() const { return m_redoubled; }

private:
    bool historyAccepts(int k) const;
    void placeCall(int k, const QString &caption, int row, int seat);
    void numberLastCall();
    void deleteLastCall();
    void deriveDoubleState();
    void hideBidsUpTo(int k);
    void showBidsFrom(int k);

    std::array<std::array<AuctionCell, SeatCount>, AuctionRows> m_cells;
    std::array<bool, ContractBidCount> m_bidVisible {};
    QString m_callKinds;
    int m_lastCallRow = -1;
    int m_lastCallSeat = -1;
    int m_noteCounter = 1;
    bool m_doubled = false;
    bool m_redoubled = false;
};

// The value of a caption or code as the grid reads it: the leading number, 0 for words and "-".
int cellNumber(const QString &text);

} // namespace briqo
