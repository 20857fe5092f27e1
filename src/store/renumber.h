#pragma once

#include <QStringList>

namespace briqo {

// The numbers a loaded game can be saved under instead: every game number 1-999 with the same
// dealer (the same remainder modulo 4), in three digits. The original tool stopped at 99 with two
// digits and could not find the loaded number among them; we offer the whole range and start at
// the loaded number.
struct RenumberCandidates {
    QStringList ascending; // "001", "005", ... "997" for game 5
    QStringList descending; // the same from last to first; the scroll bar indexes this list
    int startIndex = -1; // index of the loaded number in descending; -1 if it is not a game
};

RenumberCandidates renumberCandidates(long long n);

// The scroll bar's wrap: below 0 gives the last index, past the last gives 0. -1 when there are
// no entries.
int wrapIndex(int value, int count);

} // namespace briqo
