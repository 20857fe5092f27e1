#pragma once

#include "base/progress.h"
#include "store/game.h"

#include <QList>
#include <QString>

#include <array>

namespace briqo {

// What each board of a picture, a handout or a web page shows. A teacher leaves out what the
// students must find themselves: the lead under "What do you lead?", the auction of a bidding
// exercise, the hands a defender cannot see. Everything but the double-dummy table shows by
// default, which is the board as the window's picture shows it.
struct ShownParts {
    bool lead = true;
    bool auction = true;
    bool contract = true; // the contract and its declarer
    bool points = true; // the points beside the seat names
    bool doubleDummy = false; // the double-dummy table and par, worked out per complete deal
    std::array<bool, 4> hands {true, true, true, true}; // by seat: North, East, South, West

    bool operator==(const ShownParts &) const = default;
};

// The choices of the window's handout are kept in taal.ini: they are read back the next time, and
// a value that is missing or not understood keeps its default.
ShownParts readShownParts(const QString &iniFile);
bool writeShownParts(const ShownParts &parts, const QString &iniFile);

// The double-dummy tables of the games' deals solved before their boards are drawn, many at a
// time (see solveDealsAhead), when `parts` shows them. false when progress said stop.
bool solveTablesAhead(
    const QList<Game> &games, const ShownParts &parts, int languageNumber, const ProgressReport &progress = {});
// Some game has a complete deal whose table is not known yet, so the solver is needed.
bool anyTableToSolve(const QList<Game> &games, int languageNumber);

} // namespace briqo
