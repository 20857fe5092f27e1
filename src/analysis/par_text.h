#pragma once

#include "analysis/double_dummy.h"

#include <QString>
#include <QStringList>

namespace briqo {

// How the board, the overview and the picture write a double-dummy result: suit symbols for the
// suits and the seats by their initials in the language ("N", "O", "Z", "W" in Dutch).

// "♣", "♦", "♥", "♠", and "SA" (Dutch) or "NT" (English) for no trump.
QString strainSymbol(int strain, int languageNumber);
// Hearts and diamonds are printed red, as on the hand fields.
constexpr bool isRedStrain(int strain) { return strain == 1 || strain == 2; }

QString seatInitial(int seat, int languageNumber);
// "NZ" or "OW" in Dutch, "NS" or "EW" in English; side 0 is North-South.
QString sideInitials(int side, int languageNumber);

// The par score for the side that gains it: "NZ +620", "OW +100"; "0" for a deal passed out at par.
QString parScoreText(int parScore, int languageNumber);

// One par contract: level and strain, "x" for a doubled sacrifice, the declarer (a seat, or a side
// when either partner can play it) and the tricks over or under the contract: "4♠ NZ", "4♠ N +1",
// "5♦x OW -2".
QString parContractText(const ParContract &contract, int languageNumber);

// The par score and every par contract on one line, for a table cell: "NZ +620: 4♠ NZ, 4♥ NZ".
QString parSummaryText(const DoubleDummyResult &result, int languageNumber);

} // namespace briqo
