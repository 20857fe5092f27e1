#pragma once

#include "store/game_paths.h"

#include <QString>
#include <QStringList>

namespace briqo {

// The game folder names ("Spel 005") of every sub-folder of gamesRoot that holds an auction file
// ("... bieding.txt", letter case ignored), taken from the file's name: its first two
// blank-separated words. Only names that are a game of this language are listed: first word the
// game word (any case, listed in our spelling), second word three digits. Sorted ascending by
// text, which is ascending game number, without duplicates. An unreadable or missing folder
// gives an empty list.
QStringList scanGameList(const QString &gamesRoot, const GameWords &words);

// The list as shown: ascending as scanned, or reversed.
QStringList orderedGameList(const QStringList &sortedAscending, bool descending);

// The game number of a list entry: the numeric value of its second word ("Spel 012" gives 12).
long long entryGameNumber(const QString &entry);

// The contract file of a list entry: <gamesRoot>/<entry>/<entry> Contract.txt.
QString contractFileOfEntry(const QString &gamesRoot, const GameWords &words, const QString &entry);

// "12: Zuid 4 Schoppen" for entry "Spel 012" and its contract line; empty when the line is empty.
QString contractCaptionText(const QString &entry, const QString &contractLine);

// The caption of the games frame: "Spel 12: Zuid 4 Schoppen", or the games folder word when
// the entry has no contract.
QString gamesFrameCaption(const GameWords &words, const QString &entry, const QString &contractLine);

// The list's tooltip: "Spel 012: Zuid 4 Schoppen"; empty when there is no contract.
QString contractTooltip(const QString &entry, const QString &contractLine);

// The entry under the mouse: y integer-divided by the height of one row, plus the first visible
// entry; -1 when that is outside the list (or the row height is not positive).
int listRowAt(int y, int rowHeight, int topIndex, int count);

} // namespace briqo
