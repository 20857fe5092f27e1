#pragma once

#include "analysis/double_dummy.h"
#include "auction/auction_model.h"
#include "deal/deal.h"

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace briqo {

class DoubleDummyBlock;

class Board;
struct Game;

// The program's own write of a holding into a hand field. Typing stops at 13 characters, but a
// write is never cut: thirteen cards with the ten written "10" take 14.
void writeHolding(QLineEdit *field, const QString &text);

// How a stored game is drawn: the display options of the bottom strip.
struct BoardOptions {
    bool tenAs10 = false; // "10" for the ten
    bool points = true; // the points beside the seat names
    std::array<bool, 4> hidden {}; // seats whose hand is not shown
    int boldSeat = North; // the seat whose name is bold: the hand typed in last
    // The double-dummy table and par of the deal, shown beside the hands and kept in the picture;
    // none leaves the block out.
    std::optional<DoubleDummyResult> doubleDummy;
};

// Where the double-dummy block stands on the board (twips): in the bottom-left corner, below
// West's hand and above the flags, where the board has nothing else.
constexpr double DoubleDummyBlockLeft = 90;
constexpr double DoubleDummyBlockTop = 7290;

// The board area picAlles: game number, information block, auction frame, the four hands with
// their symbols, the summary grid, the maker's panel and notices and the question box. The main
// window holds one and works its controls; the picture, the printout and the command line make
// one of their own, fill it from a stored game and draw it without any window.
class BoardView : public QWidget {
public:
    explicit BoardView(QWidget *parent = nullptr);

    // ---- Controls, by their names on the board ----
    QLineEdit *txtSpel = nullptr;
    std::array<QLabel *, 6> lblInfo {};
    std::array<QLabel *, 7> lblVulin {};
    QCheckBox *chkUitKomst = nullptr;
    QLabel *picUit = nullptr;
    QLabel *picEind = nullptr;
    QGroupBox *fraBieding = nullptr;
    std::array<QLabel *, 4> lblBieding {};
    // The auction grid, indexed [seat][row]: lblB[North] is the column lblBN, picB[East] is picBO,
    // lblA[South] is lblAZ, and so on (call label, strain picture, note label).
    std::array<std::array<QLabel *, 9>, 4> lblB {};
    std::array<std::array<QLabel *, 9>, 4> picB {};
    std::array<std::array<QLabel *, 9>, 4> lblA {};
    std::array<QLabel *, 9> lblNum {};
    QFrame *picDeMaker = nullptr;
    QLabel *lblDeMaker = nullptr;
    QLabel *imaLogo = nullptr;
    std::array<QLabel *, 16> picSymbool {};
    std::array<QFrame *, 16> picAchter {};
    std::array<QLineEdit *, 16> txtInvoer {};
    std::array<QLabel *, 4> lblWind {};
    std::array<QLabel *, 4> lblPunten {};
    QTableWidget *msfgOverzicht = nullptr;
    QPushButton *cmdVraagAntwoord = nullptr;
    QPlainTextEdit *txtVraag = nullptr;
    QWidget *picVlaggen = nullptr;
    std::array<QPushButton *, 2> cmdTaalButtons {}; // cmdTaal(10) and cmdTaal(11)
    QPushButton *cmdDownload = nullptr;
    std::array<QLabel *, 2> lblMakerNote {};
    DoubleDummyBlock *doubleDummyBlock = nullptr;

    // ---- Layout and captions ----
    // Every caption of the board in the language, the summary grid fitted and placed, the
    // information values beside their captions; the maker's notice carries the year.
    void setUpCaptions(int languageNumber, int year);
    void placeInfoValues();
    double InfoValueLeft = 0;
    // The compact stacking of the hands below the auction frame used by the picture.
    void VerplaatsObjecten();

    // ---- Showing a game ----
    void showDealerAndVulnerability(long long n);
    void hideDealerAndVulnerability();
    void clearAuctionCells();
    void showAuctionCells(const AuctionModel &auction);
    // The contract line: level, strain picture and declarer; "Pas" for a passed-out auction.
    void showContract(const AuctionModel &auction);
    void showLeadLine(const QString &leaderName, int suit, const QString &cardText);
    // The card of the lead line written anew ("T" or "10"), the line placed around its new width.
    void setLeadCard(const QString &cardText);
    void clearLeadLine();
    void showCountsAndPoints(const Holdings &deal);
    void setCountCellColour(int seat, unsigned colour);
    void refreshCountColours();
    // The seat whose hand field has the focus has its name in bold.
    void showSeatInBold(int seat);
    int seatInBold() const { return m_seatInBold; } // -1 before any hand had the focus
    // The lead box with its caption, at the leader text (belowLeadBy < 0) or that many twips below it.
    void placeLeadBox(const QString &caption, double belowLeadBy = -1);

    // The double-dummy block with a result, or hidden and empty without one.
    void showDoubleDummy(const std::optional<DoubleDummyResult> &result);

    // The board value as the main window shows it: number, auction, contract, lead and its box,
    // the hands as typed, counts and points, the question.
    void show(const Board &board);
    void showLeadBox(const Board &board);
    void showQuestionBox(const QString &question);
    // The whole board of a stored game, as the window shows it after loading it and setting the
    // options (the focus then on North's spades, North's name in bold): what the picture of that
    // game is drawn from.
    void showGame(const Game &game, const BoardOptions &options);

    int languageNumber() const { return m_languageNumber; }
    double AuctionBottom = 3315; // the auction frame's bottom in the picture

private:
    void buildBoard();
    void buildAuctionGrid();
    void buildHands();
    void buildSummaryGrid();

    int m_languageNumber = 10;
    int m_seatInBold = -1;
};

} // namespace briqo
