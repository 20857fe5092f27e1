#pragma once

#include "auction/auction_model.h"
#include "auction/final_contract.h"
#include "base/string_table.h"
#include "board/board_deal.h"
#include "board/board_outcome.h"
#include "deal/deal.h"
#include "store/game.h"

#include <QString>

#include <array>
#include <optional>

namespace briqo {

// What the information block shows of the contract: nothing, "Pass" for an auction passed out,
// or the final contract with its declarer.
struct ContractDisplay {
    enum Kind { None, PassedOut, Bid };
    Kind kind = None;
    FinalContract contract; // Bid only

    bool operator==(const ContractDisplay &) const = default;
};

// The opening lead on display: "West - " + suit picture + card.
struct LeadDisplay {
    int leader = -1; // seat; -1 when a stored lead names no seat of the language
    QString leaderName;
    int suit = 0; // hand order, 0 spades .. 3 clubs
    QString cardText; // "Heer", "7", "T" (the ten is "T" here and shown "10" with that option)

    bool operator==(const LeadDisplay &) const = default;
};

// The board of the main window as one value: the game number, the four hands as typed, the
// auction, contract, lead, question and answer, the display options, and what the board offers
// the user. Every user action is one operation; its outcome tells the window what to ask, show and
// store. The board never reads or writes a file.
class Board {
public:
    // What the board offers besides what follows from its contents. The program offers some
    // controls only after certain steps (the picture is withdrawn by a call until the deal is
    // typed complete, loaded or turned again), so these are remembered as the steps happen.
    struct Offers {
        bool entryOpen = false; // the hand fields take cards: a game has been set up
        bool biddingBox = false; // the box takes calls (and the number button)
        bool deleteButtons = true; // delete last call, delete entire bidding
        bool showBoard = false; // picture, clipboard, question button, the hidden-hands frame
        bool print = false;
        bool saveAndRotate = false; // save, rotate, the hidden-hand boxes
        bool displayOptions = false; // "T as 10", points visible
        bool gameEntry = false; // load and delete the chosen entry of the games list
        bool renumber = false;
        bool leadBox = false; // the give-lead / delete-lead box is shown

        bool operator==(const Offers &) const = default;
    };

    explicit Board(int languageNumber = LanguageDutch);

    // A board showing a stored game, as after loading it from the games list.
    static Board fromGame(const Game &game, int languageNumber);
    // The game as the store keeps it: the hands (every ten "T", hidden hands included), the
    // auction, the contract shown, the lead, the question and the answer.
    Game toGame() const;

    // ---- The game number ----
    // Typing in the game-number field; text is the field's text (non-digits are dropped). An
    // empty text leaves the board without a number; "0" changes nothing else; any other number
    // sets up an empty board for it (0 or 1000 and more: no game, nothing to type or bid).
    // With unsaved calls it first asks string 93; Yes keeps the board under the new number and
    // asks for saveFirst (the program saves under the number now typed).
    BoardOutcome setGameNumber(const QString &text, Answer unsaved = Answer::NotAsked);
    // The renumber tool: another number for the board on display; nothing else changes.
    BoardOutcome renumberTo(long long n);

    // ---- Typing the hands ----
    // One key in a hand field: a card letter of the language (either case), '\b' Backspace or
    // '\r' Enter (focus to the next field). caret is the caret in the field as shown, -1 the end.
    BoardOutcome typeKey(int field, QChar key, int caret = -1);
    // The field's text changed otherwise (a paste into it): kept in upper case, unchecked.
    BoardOutcome editField(int field, const QString &text);
    // Leaving a field: it is sorted; three complete hands fill the fourth.
    BoardOutcome leaveField(int field);
    // A whole deal at once (a pasted PBN or LIN deal), letters of the language.
    BoardOutcome setDeal(const Holdings &holdings);

    // ---- Display options ----
    BoardOutcome setTenAs10(bool on);
    BoardOutcome setPointsVisible(bool on);
    BoardOutcome setSeatHidden(int seat, bool hidden);

    // ---- Auction ----
    // Bidding-box button k (0..40, see BoxButton). Delete entire bidding asks string 23 first.
    BoardOutcome clickBox(int k, Answer deleteAll = Answer::NotAsked);

    // ---- Opening lead ----
    // A click on the lead box; ticked is its tick after the click. With the caption "Delete lead"
    // the lead is withdrawn; otherwise the tick starts or ends lead mode.
    BoardOutcome leadBoxClicked(bool ticked);
    BoardOutcome startLeadMode();
    BoardOutcome leaveLeadMode();
    BoardOutcome withdrawLead();
    // A click in hand field at caret (the position in the text as shown) while in lead mode:
    // asks string 70, and on Yes shows the lead and writes the lead file.
    BoardOutcome giveLead(int field, int caret, Answer answer = Answer::NotAsked);

    // ---- Turning the board ----
    BoardOutcome rotate();

    // ---- Stored games ----
    // A click on an entry of the games list ("Spel 005").
    BoardOutcome chooseEntry(const QString &entry);
    // Shows a stored game (read by the window for the chosen entry). With unsaved calls it first
    // asks string 93; on Yes the number is set and saveFirst asked: after the save, read the game
    // again (the save may have replaced it) and repeat with Answer::No.
    BoardOutcome load(const Game &game, Answer unsaved = Answer::NotAsked);
    // Save: asks string 84 when the game is stored already (alreadyStored from GameStore).
    // After the window has saved, saved() moves on to the next game number.
    BoardOutcome save(bool alreadyStored, Answer overwrite = Answer::NotAsked);
    BoardOutcome saved();
    // Deleting the chosen game: asks string 36, then the window removes it; gameDeleted() after.
    BoardOutcome deleteGame(Answer answer = Answer::NotAsked);
    BoardOutcome gameDeleted();
    // A store action of an outcome failed; unchanged: the disk is as it was before.
    void storeFailed(const StoreAction &action, bool unchanged);
    // Empties everything of one game except the hands and the number.
    BoardOutcome clear();
    // The question-and-answer window stored (or removed) the texts.
    void setQuestionAndAnswer(const QString &question, const QString &answer);

    // ---- What the board holds ----
    int languageNumber() const { return m_language; }
    std::optional<long long> gameNumber() const { return m_number; }
    // The number of the game the board is for: a game 1..999; 0 for none.
    long long currentGameNumber() const { return m_number.value_or(0); }
    bool isGame() const { return m_number && *m_number > 0 && *m_number < 1000; }
    QString gameNumberText() const { return m_number ? QString::number(*m_number) : QString(); }

    // The text a hand field shows: empty for a hidden hand, tens "10" with that option.
    QString fieldText(int field) const;
    // The holdings as typed, hidden hands included, every ten "T".
    const Holdings &holdings() const { return m_text; }
    Deal deal() const { return dealOf(m_text, m_language); }
    int cardCount(int seat) const { return CardCount(m_text, seat); }
    int points(int seat) const { return HighCardPoints(m_text, seat, m_language); }
    int totalCards() const;
    bool dealComplete() const; // 52 different cards, 13 in each hand

    // The hide-hand box of the seat is unticked; it keeps its value from game to game.
    bool seatHidden(int seat) const { return m_hidden[seat]; }
    // The hand is on show: a hidden hand is left out of a complete deal, while a deal still being
    // typed shows every hand so that it can be finished.
    bool handShown(int seat) const { return !m_hidden[seat] || !dealComplete(); }
    bool tenAs10() const { return m_tenAs10; }
    bool pointsVisible() const { return m_pointsVisible; }

    const AuctionModel &auction() const { return m_auction; }
    const ContractDisplay &contract() const { return m_contract; }
    QString contractText() const; // "Zuid 4 Harten"; empty unless a contract is shown
    // The rows whose number is hidden below a finished auction.
    QList<int> hiddenRowNumbers() const;
    std::optional<int> declarer() const { return m_declarer; } // remembered for the lead
    const std::optional<LeadDisplay> &lead() const { return m_lead; }
    QString leadCardShown() const; // the card as the lead line shows it

    bool leadMode() const { return m_leadMode; }
    int leadModeSeat() const { return m_leadModeSeat; } // -1: every hand
    bool leadBoxDeletes() const { return m_leadBoxDeletes; } // caption "Delete lead"

    const QString &question() const { return m_question; }
    const QString &answer() const { return m_answer; }
    bool hasQuestionFile() const { return m_hasQuestionFile; }
    bool hasAnswerFile() const { return m_hasAnswerFile; }
    const QString &chosenEntry() const { return m_chosenEntry; }
    bool unsavedChanges() const { return m_unsaved; }
    const Offers &offers() const { return m_offers; }
    // The hand field is enabled: a game is set up, the hand is shown, and in lead mode it is the
    // leader's.
    bool fieldEnabled(int field) const;

    // Two boards are equal when everything they hold and offer is (the auction compared cell by cell).
    bool operator==(const Board &other) const;

private:
    void runSetUp(bool keepBoard, BoardOutcome &out);
    // A board with unsaved calls asks first, and on Yes takes number n and asks for the save;
    // otherwise it takes n and is set up for it. False when the caller must return out as it is.
    bool setUpAfterUnsavedQuestion(long long n, Answer unsaved, BoardOutcome &out);
    void clearBoard();
    void enableCompleteDeal();
    void showIncompleteDeal();
    void afterFieldChange(BoardOutcome &out);
    void normaliseHands(BoardOutcome &out);
    void showContract(BoardOutcome &out);
    void clearContractAndLead();
    void deleteAllBidding();
    void applyTail(const TailOutcome &tail, BoardOutcome &out);
    void resetLeadBox();
    int nextField(int field, bool down) const;
    QString displayed(const QString &holding) const;
    QString folderName(long long n) const;

    int m_language;
    std::optional<long long> m_number;
    Holdings m_text; // every ten "T"
    std::array<bool, 4> m_hidden {};
    bool m_tenAs10 = false;
    bool m_pointsVisible = true;
    AuctionModel m_auction;
    ContractDisplay m_contract;
    std::optional<int> m_declarer;
    std::optional<LeadDisplay> m_lead;
    bool m_leadMode = false;
    int m_leadModeSeat = -1;
    bool m_leadBoxDeletes = false;
    QString m_question;
    QString m_answer;
    bool m_hasQuestionFile = false;
    bool m_hasAnswerFile = false;
    QString m_chosenEntry;
    bool m_unsaved = false;
    Offers m_offers;
};

} // namespace briqo
