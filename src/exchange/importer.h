#pragma once

#include "base/progress.h"
#include "exchange/exchange_board.h"
#include "store/game_store.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace briqo {

enum class ExchangeFormat { Pbn, Lin };

// The format of a file by its name (".lin" is LIN, anything else PBN), or by its content when the
// name says nothing.
ExchangeFormat formatOfFile(const QString &path, const QByteArray &bytes);

// What an import will do, worked out before anything is written.
struct ImportPlan {
    QList<Game> games; // one per distinct board, in file order
    QList<long long> clashes; // numbers of games in the list that are stored already
    QList<ExchangeProblem> notices; // refusals, parts left out, repeated boards, unreadable text
    int refused = 0; // boards of the file that become no game
    QString lessonTitle; // of a PBN file: see pbnLessonTitle
};

ImportPlan planImport(const QByteArray &bytes, ExchangeFormat format, const GameStore &store);

// A title for a lesson made from a PBN file: the Event, Site and Date of its first game, those that
// are given, joined by " - " ("Clubavond - De Schakel - 2024.03.15"); a date's unknown parts
// ("2024.??.??") are left out. Empty when the file gives none of them.
QString pbnLessonTitle(const QByteArray &bytes);

enum class ClashChoice { Overwrite, Skip, Cancel };

struct ImportResult {
    bool cancelled = false; // nothing was written
    int written = 0;
    int skipped = 0;
    QList<StoreResult> failures; // games that could not be written (the store says what is left)
    bool busy = false; // another program kept the games folder: the games from there on were not tried
    bool stopped = false; // the user stopped the import: the games from there on were not tried
    int notTried = 0;
    QString busyPath;

    // Something could not be written (a full disk, a folder in the way, a busy games folder).
    bool writeFailed() const { return busy || !failures.isEmpty(); }
};

// Writes the planned games, each whole or not at all (a kill at any instant leaves every game old,
// new or absent), in batches that wait for the disk once each: a game that is stored already is
// replaced whole (Overwrite) or left alone (Skip); Cancel writes nothing when any game is stored
// already. A game stored by another program after the plan was made is overwritten only with
// Overwrite. When another program keeps the games folder, the import stops there.
// ProgressReport is told of each game before it is staged, and can stop the import there: the
// games staged before are written.
ImportResult applyImport(
    const ImportPlan &plan, ClashChoice choice, const GameStore &store, const ProgressReport &progress = {});

// The summary line and one line per notice and failure, in the language.
QStringList importSummary(const ImportPlan &plan, const ImportResult &result, int languageNumber);

// The stored games as a PBN or LIN file; games whose deal is not complete are left out and named.
struct ExportResult {
    QByteArray bytes;
    QList<long long> exported;
    QList<long long> leftOut;
    bool stopped = false; // the user stopped the export: there are no bytes
};

ExportResult exportGames(const GameStore &store, const QList<long long> &numbers, ExchangeFormat format,
    const ProgressReport &progress = {});

// The numbers of every stored game, ascending.
QList<long long> storedGameNumbers(const GameStore &store);

} // namespace briqo
