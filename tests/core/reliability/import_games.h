#pragma once

// Two versions of the same 50 boards as PBN files, for tests that import them with briqo-cli while
// something else happens (a kill, a second writer). Every file of a game tells the versions apart:
//  - version A: the sample deal, 1NT passed out by the dealer, a lead, a question and an answer;
//  - version B: the deal turned a seat, four passes (no contract, no lead), no question, another
//    answer. Importing B over A therefore replaces three files and removes three.

#include "../exchange/exchange_games.h"
#include "exchange/board_game.h"
#include "exchange/importer.h"
#include "exchange/pbn_writer.h"
#include "store/game_store.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace briqo::test {

constexpr int ImportedBoards = 50;

inline Game boardVersion(long long n, char version)
{
    const int language = LanguageDutch;
    if (version == 'A') {
        Game game = typedGame(n, QStringLiteral("1N P P P"), language);
        // The dealer declares; the next seat leads its lowest spade (a spot card in every hand).
        const int leader = (DealerOf(n) + 1) % 4;
        game.lead = LeadLine {SeatName(leader, language), 0, game.holdings[4 * leader].right(1)};
        game.question = QStringLiteral("Wat start %1 bij spel %2?").arg(SeatName(leader, language)).arg(n);
        game.hasQuestionFile = true;
        game.answer = QStringLiteral("Antwoord A bij spel %1.").arg(n);
        game.hasAnswerFile = true;
        return game;
    }
    Game game = typedGame(n, QStringLiteral("P P P P"), language);
    const Holdings a = game.holdings;
    for (int field = 0; field < FieldCount; ++field)
        game.holdings[field] = a[(field + 4) % FieldCount];
    game.answer = QStringLiteral("Antwoord B bij spel %1.").arg(n);
    game.hasAnswerFile = true;
    return game;
}

inline QByteArray versionFile(char version)
{
    QList<ExchangeBoard> boards;
    for (long long n = 1; n <= ImportedBoards; ++n)
        boards << boardFromGame(boardVersion(n, version), LanguageDutch);
    return writePbn(boards);
}

// The games as a clean import of a version stores them, read back.
inline QList<Game> importedVersion(const QByteArray &file)
{
    QTemporaryDir dir;
    const GameStore store(dir.path(), LanguageDutch);
    const ImportPlan plan = planImport(file, ExchangeFormat::Pbn, store);
    applyImport(plan, ClashChoice::Overwrite, store);
    QList<Game> games {Game {}};
    for (long long n = 1; n <= ImportedBoards; ++n)
        games << store.load(n);
    return games;
}

// Nothing of game n is on disk: no file of the game at all.
inline bool absent(const GameStore &store, long long n)
{
    const GameFilePaths p = store.paths(n);
    for (const QString &path : {p.auction, p.hands, p.contract, p.lead, p.question, p.answer})
        if (QFileInfo::exists(path))
            return false;
    return true;
}

// Temporary files (and notes of commits) left anywhere below the games folder. The lock of a
// process killed the instant it made the lock file stays until the next writer takes it over.
inline int temporaryFilesBelow(const QString &root)
{
    QStringList inRoot = QDir(root).entryList(QDir::Files | QDir::Hidden);
    inRoot.removeAll(QStringLiteral(".briqo-lock"));
    int count = int(inRoot.size());
    for (const QString &folder : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString &name : QDir(root + QLatin1Char('/') + folder).entryList(QDir::Files | QDir::Hidden))
            if (name.endsWith(QLatin1String(".new")) || name.startsWith(QLatin1Char('.')))
                ++count;
    return count;
}

inline QProcess *startImport(const QString &programFolder, const QString &file, QObject *parent = nullptr,
    const QString &language = QStringLiteral("nl"))
{
    auto *p = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    // BRIQO_CLI_UNDER_TEST runs another build of the command (an older one, to see the faults).
    p->start(qEnvironmentVariable("BRIQO_CLI_UNDER_TEST", QStringLiteral(BRIQO_CLI)),
        {QStringLiteral("import"), file, QStringLiteral("--folder"), programFolder, QStringLiteral("--lang"), language,
            QStringLiteral("--on-clash"), QStringLiteral("overwrite")});
    return p;
}

// Kills and races are about processes, not about the disk: a memory file system, where there is
// one, keeps the disk's flushes from taking most of a run's time.
inline QString scratchTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return (shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath()) + QStringLiteral("/briqo-XXXXXX");
}

// A whole number from the environment, or the default.
inline int fromEnvironment(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace briqo::test
