#pragma once

#include "analysis/double_dummy.h"
#include "exchange/deal_text.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace briqo {

// One call of an auction as the exchange formats write it.
struct ExchangeCall {
    enum Kind { Bid, Pass, Double, Redouble };
    Kind kind = Pass;
    int level = 0; // 1..7 for a bid
    int strain = 0; // bidding order: 0 clubs .. 4 no trump
    bool noted = false; // the file puts a note on the call
    QString noteText; // its text, when the file gives one
    QString token; // as written, for messages

    bool operator==(const ExchangeCall &) const = default;
};

// One call as PBN and LIN files write it: "1NT", "1N", "1SA", "Pass", "P", "X", "D", "DBL", "XX",
// "R", "RDBL", in any letter case, with the annotation marks "!" and "?" dropped. None for a
// token that is no call.
std::optional<ExchangeCall> readCall(const QString &token);

// One board of a PBN or LIN file, as the file gives it, before any check against the rules of a
// stored game. The same value is what a stored game is turned into for writing.
struct ExchangeBoard {
    int line = 0; // where the board starts in the file (1 = first line)
    QString boardText; // the board number as written; empty when the file gives none
    bool hasDeal = false;
    DealText deal; // exchange letters
    int dealer = -1; // seat the file names, -1 when it names none
    QString dealerText;
    int vulnerability = -1; // 0 none, 1 North-South, 2 East-West, 3 both; -1 none named
    QString vulnerabilityText;

    bool hasAuction = false;
    int auctionSeat = -1; // who calls first
    QList<ExchangeCall> calls;
    bool auctionUnfinished = false; // "*": the file says the auction goes on
    QString auctionProblem; // a token that is not a call; the auction is then not used

    QString contract; // "4HX", "Pass"; empty or "?" when unknown
    QString declarer; // "S"; empty or "?" when unknown

    std::optional<ExchangeCard> lead;
    int leadSeat = -1; // the seat the file names as leader, -1 when none

    std::optional<QString> question; // commentary before the deal; a file's note texts join it
    std::optional<QString> answer; // commentary after the deal
    QStringList extraQuestionLines; // notes of calls the grid cannot number (passes, doubles)

    // The double-dummy table and par, for the writer to add to a complete deal; a file's own
    // tables are not read into it (they may come from any solver, or be hand-made).
    std::optional<DoubleDummyResult> doubleDummy;

    bool operator==(const ExchangeBoard &) const = default;
};

// A problem found in a file, as a string of the table with its placeholders filled:
// "~" the board as written, "#" the line, "*" the detail. The detail may itself be a string of
// the table (detailValue, with "*" filled by detail) or a seat name (seat detailValue).
struct ExchangeProblem {
    enum Detail { Plain, Text, Seat };
    int text = 0;
    int line = 0;
    QString board;
    QString detail;
    Detail detailKind = Plain;
    int detailValue = 0; // the string or the seat of the detail

    bool operator==(const ExchangeProblem &) const = default;
};

QString describe(const ExchangeProblem &problem, int languageNumber);

} // namespace briqo
