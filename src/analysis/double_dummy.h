#pragma once

#include "base/progress.h"
#include "deal/deal.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace briqo {

// Strains are numbered in bidding order, as in the auction: 0 clubs, 1 diamonds, 2 hearts,
// 3 spades, 4 no trump.
constexpr int StrainCount = 5;
constexpr int NoTrumpStrain = 4;

// One contract that reaches the par score.
struct ParContract {
    int level = 0; // 1..7
    int strain = 0; // bidding order
    QList<int> declarers; // the seats that can play it: one seat, or both seats of a side
    bool doubled = false; // a sacrifice; a par contract that makes is never doubled
    int overtricks = 0;
    int undertricks = 0;
    int score = 0; // for North-South; every par contract scores the par score

    bool operator==(const ParContract &) const = default;
};

struct DoubleDummyResult {
    // Tricks the declarer takes with best play on both sides, [strain][seat of the declarer].
    std::array<std::array<int, 4>, StrainCount> tricks {};

    // Par as the solver finds it when North-South are the first side to bid. It depends on who
    // starts only in rare deals (both sides make 1NT, say); parDependsOnWhoBidsFirst says so.
    int parScore = 0; // for North-South: negative when East-West gain
    QList<ParContract> parContracts; // empty when the deal is passed out at par
    // The solver's own texts: the par line ("Par 100: EW 3Cx-1", "Par 0" for a deal passed out),
    // and a second line for East-West bidding first when that differs; one text per par contract
    // ("3C*-EW-1", "4S-N+1").
    QStringList parLines;
    QStringList parContractTexts;
    bool parDependsOnWhoBidsFirst = false;

    bool operator==(const DoubleDummyResult &) const = default;
};

// The double-dummy table and par of a complete deal written in the card letters of the
// language (tens as "T" or "10"), at the vulnerability of the game (0 none, 1 North-South,
// 2 East-West, 3 both). None for a deal that is not 52 different cards, 13 in each hand, for a
// vulnerability outside 0..3, or when the solver reports a fault.
//
// Takes from a few milliseconds to a few seconds: call it on a worker thread (DoubleDummyWorker
// does), never on the UI thread. Safe to call from several threads: the calls are taken one at a
// time.
//
// A deal solved before, in this run or an earlier one, comes from DoubleDummyCache at once.
std::optional<DoubleDummyResult> solveDeal(const Holdings &deal, int languageNumber, int vulnerability);
// The table of a deal solved before, without solving it: none when it is not known yet. Reads the
// cache file the first time, so keep it off the UI thread unless a short read is acceptable.
std::optional<DoubleDummyResult> knownDoubleDummy(const Holdings &deal, int languageNumber, int vulnerability);
// Always asks the solver, and keeps nothing (the bench compares it with the library).
std::optional<DoubleDummyResult> solveDealUncached(const Holdings &deal, int languageNumber, int vulnerability);

// A deal to solve at its game's vulnerability.
struct DealToSolve {
    Holdings holdings;
    int vulnerability = 0;
};

// Deals handed to the solver in one call: enough for its threads to stay busy to the end of the
// call (the five strains of each deal are shared among them), few enough that progress is
// reported every second or two.
constexpr int DealsSolvedTogether = 10;

// Solves the deals whose tables are not known yet, several to a call so that every thread of the
// solver is busy to the end (quicker than one by one), and keeps them in the cache, where
// solveDeal finds them at once. Incomplete deals are left out, and a deal the solver fails on is
// solved again when it is asked for. progress(done, total) counts the deals to solve, before each
// call; false stops (what was solved stays). The same threads rule as solveDeal.
// Nothing is reported when every table is known.
bool solveDealsAhead(const QList<DealToSolve> &deals, int languageNumber, const ProgressReport &progress = {});

// The solver's library is opened at the first solve, not at start-up (loading it starts its
// threads and tables). False when it cannot be opened: every solve then answers none. Opens it
// when that was not tried yet, so call it where solving is wanted, never on the UI thread before.
bool doubleDummyAvailable();
// What to tell the user when it cannot be opened: which package to install, and the reason.
QString doubleDummyUnavailableText(int languageNumber);

} // namespace briqo
