#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace briqo {

class GameStore;

// One line of the games overview: the game digits ("005"), the declarer ("Zuid") and the
// contract ("4 Harten").
struct OverviewRow {
    QString digits;
    QString declarer;
    QString contract;
    QString par; // the par score and contracts of the deal, when the overview shows them

    bool operator==(const OverviewRow &) const = default;
};

// The overview's columns, in the order the window shows them.
// The par column follows the three others only while the double-dummy option is on.
enum class OverviewColumn { Game = 0, Declarer = 1, Contract = 2, Par = 3 };
constexpr int OverviewColumnCount = 3;
constexpr int OverviewColumnCountWithPar = 4;

// The row of a game list entry ("Spel 005") with its contract line ("Zuid 4 Harten"): the
// declarer is the line up to its first blank, the contract what follows it. A line without a
// blank is taken as a contract whose declarer is unknown, so nothing of it is hidden.
OverviewRow overviewRowOf(const QString &entry, const QString &contractLine);

// One row per entry, in the order given, for every game whose contract line holds more than
// blanks; a game without a contract file, or with an empty one, has no row.
QList<OverviewRow> overviewRows(const GameStore &store, const QStringList &entries);

// Sorts the rows ascending by the text of one column, letter case significant (upper case
// before lower case, as a plain character comparison gives). Rows with equal texts keep their
// order, so sorting by one column and then another orders by both.
void sortOverviewRows(QList<OverviewRow> &rows, OverviewColumn column);

// The text of a row in a column.
const QString &overviewCell(const OverviewRow &row, OverviewColumn column);

} // namespace briqo
