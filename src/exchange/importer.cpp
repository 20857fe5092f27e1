#include "exchange/importer.h"

#include "base/string_table.h"
#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/lin_format.h"
#include "exchange/pbn_reader.h"
#include "exchange/pbn_text.h"
#include "exchange/pbn_writer.h"
#include "store/game_batch.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>

namespace briqo {

namespace {

struct Kept {
    int index = 0; // in plan.games
    int copies = 1;
    bool partsDiffer = false;
    ExchangeBoard board;
};

// Each board of the file in turn, as it is read: a PBN file is read from its bytes and never held
// as boards or text whole.
void readBoards(const QByteArray &bytes, ExchangeFormat format, int languageNumber, QList<ExchangeProblem> &problems,
    const std::function<void(ExchangeBoard &&)> &boardRead)
{
    if (format == ExchangeFormat::Lin) {
        LinReadResult read = readLin(decodeExchangeFile(bytes));
        problems += read.problems;
        for (ExchangeBoard &board : read.boards)
            boardRead(std::move(board));
        return;
    }
    readPbnFile(bytes, languageNumber, problems, boardRead);
}

// The deal alone, as a board whose tables disagreed about everything else leaves it.
void keepDealOnly(Game &game)
{
    AuctionModel model;
    model.resetForGame(DealerOf(game.number));
    game.auction = auctionFileOf(model);
    game.contract.clear();
    game.lead.reset();
}

} // namespace

ExchangeFormat formatOfFile(const QString &path, const QByteArray &bytes)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("lin"))
        return ExchangeFormat::Lin;
    if (suffix == QLatin1String("pbn"))
        return ExchangeFormat::Pbn;
    const QByteArray head = bytes.left(4096);
    return head.contains("md|") && !head.contains("[") ? ExchangeFormat::Lin : ExchangeFormat::Pbn;
}

QString pbnLessonTitle(const QByteArray &bytes)
{
    // Only the head of the file is looked at: the first game's tags, up to the empty line that
    // ends it, cut at a line end so no character is split.
    QByteArray head = bytes.left(64 * 1024);
    if (head.size() < bytes.size())
        head.truncate(head.lastIndexOf('\n') + 1);
    const QString text = decodeExchangeFile(head);
    QHash<QString, QString> tags;
    bool inGame = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('%')))
            continue;
        if (line.isEmpty()) {
            if (inGame)
                break;
            continue;
        }
        if (!line.startsWith(QLatin1Char('[')))
            continue;
        inGame = true;
        const qsizetype open = line.indexOf(QLatin1Char('"'));
        if (open < 0)
            continue;
        const QString name = line.mid(1, open - 1).trimmed().toString().toLower();
        QString value;
        for (qsizetype i = open + 1; i < line.size() && line[i] != QLatin1Char('"'); ++i) {
            if (line[i] == QLatin1Char('\\') && i + 1 < line.size())
                ++i;
            value += line[i];
        }
        if (!tags.contains(name))
            tags.insert(name, value.trimmed());
    }
    QStringList parts;
    for (const char *name : {"event", "site"}) {
        const QString value = tags.value(QLatin1String(name));
        if (!value.isEmpty() && value != QLatin1String("?") && value != QLatin1String("#"))
            parts << value;
    }
    // "2024.03.??" keeps what is known; "????.??.??" nothing.
    QStringList date = tags.value(QStringLiteral("date")).split(QLatin1Char('.'));
    while (!date.isEmpty() && (date.last().isEmpty() || date.last().contains(QLatin1Char('?'))))
        date.removeLast();
    if (!date.isEmpty() && !date.first().contains(QLatin1Char('?')))
        parts << date.join(QLatin1Char('.'));
    return parts.join(QStringLiteral(" - "));
}

ImportPlan planImport(const QByteArray &bytes, ExchangeFormat format, const GameStore &store)
{
    ImportPlan plan;
    if (format == ExchangeFormat::Pbn)
        plan.lessonTitle = pbnLessonTitle(bytes);
    const int language = store.languageNumber();
    QHash<long long, Kept> kept;
    QList<long long> order;
    // The reader's own problems come first, then what each board's check finds, in file order.
    QList<ExchangeProblem> boardNotices;
    readBoards(bytes, format, language, plan.notices, [&](ExchangeBoard &&board) {
        // The checks that refuse a board come first and cost little: a large file repeats its
        // numbers, and a board refused, or another deal under a number already taken, needs no game.
        BoardAsGame checked = checkBoard(board);
        if (!checked.problems.isEmpty()) {
            ++plan.refused;
            boardNotices += checked.problems;
            return;
        }
        auto first = kept.find(checked.number);
        if (first == kept.end()) {
            BoardAsGame made = gameFromBoard(board, language);
            kept.insert(made.number, Kept {int(plan.games.size()), 1, false, std::move(board)});
            order << made.number;
            plan.games << *made.game;
            boardNotices += made.problems;
            return;
        }
        // A result file has the board once per table: the same deal, each table its own contract.
        // Two complete deals in exchange letters are the same exactly when their games' holdings
        // are: each letter has its own letter in every language.
        if (*board.deal.deal != *first->board.deal.deal) {
            ++plan.refused;
            // The board as written is most often written as the first one was: shared, so a file
            // of a million boards does not hold a million copies of a few hundred numbers.
            const QString &boardText
                = board.boardText == first->board.boardText ? first->board.boardText : board.boardText;
            boardNotices << ExchangeProblem {exchange_text::OtherDealSameNumber, board.line, boardText, {}};
            return;
        }
        const BoardAsGame made = gameFromBoard(board, language);
        const Game &earlier = plan.games[first->index];
        ++first->copies;
        if (made.game->auction != earlier.auction || made.game->contract != earlier.contract
            || made.game->lead != earlier.lead)
            first->partsDiffer = true;
    });
    // Moved, not copied: a file of a million repeated boards has as many notices.
    if (plan.notices.isEmpty()) {
        plan.notices = std::move(boardNotices);
    } else {
        const qsizetype own = plan.notices.size();
        boardNotices.append(plan.notices);
        std::rotate(boardNotices.begin(), boardNotices.end() - own, boardNotices.end());
        plan.notices = std::move(boardNotices);
    }
    for (long long n : order) {
        const Kept &k = kept[n];
        if (k.copies < 2)
            continue;
        if (k.partsDiffer)
            keepDealOnly(plan.games[k.index]);
        plan.notices << ExchangeProblem {exchange_text::RepeatedBoard, k.copies, k.board.boardText, {}};
    }
    // The games folder is listed once; only a game whose folder is there can be stored.
    QSet<QString> folders;
    for (const QString &entry : QDir(store.gamesRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        folders.insert(entry.toLower());
    for (const Game &game : plan.games) {
        if (folders.contains(store.folderName(game.number).toLower()) && store.isStored(game.number))
            plan.clashes << game.number;
    }
    return plan;
}

ImportResult applyImport(
    const ImportPlan &plan, ClashChoice choice, const GameStore &store, const ProgressReport &progress)
{
    ImportResult result;
    if (choice == ClashChoice::Cancel && !plan.clashes.isEmpty()) {
        result.cancelled = true;
        return result;
    }
    // A game stored by another program after the plan was made is no clash the user has seen:
    // unless every clash is to be overwritten, it is left as it is.
    const CommitWhen unplanned = choice == ClashChoice::Overwrite ? CommitWhen::Always : CommitWhen::OnlyIfNew;
    // The games go in batches: each game still lands whole or not at all, but the disk is waited
    // for once per batch rather than for every file.
    GameBatch batch(store);
    const auto count = [&result](const QList<GameBatch::Outcome> &outcomes) {
        for (const GameBatch::Outcome &outcome : outcomes) {
            const StoreResult &r = outcome.result;
            if (r || !r.unchanged)
                ++result.written; // a file not yet in place is put there when the game is next read
            if (!r)
                result.failures << r;
        }
    };
    const qsizetype total = plan.games.size();
    for (qsizetype i = 0; i < total; ++i) {
        const Game &game = plan.games[i];
        if (!result.stopped && progress && !progress(i, total))
            result.stopped = true;
        if (result.stopped) {
            ++result.notTried;
            continue;
        }
        const bool clash = plan.clashes.contains(game.number);
        if (clash && choice != ClashChoice::Overwrite) {
            ++result.skipped;
            continue;
        }
        if (result.busy) {
            ++result.notTried;
            continue;
        }
        if (batch.full())
            count(batch.commit());
        const StoreResult r = batch.stage(game, clash ? CommitWhen::Always : unplanned);
        if (r)
            continue;
        if (r.alreadyStored) {
            ++result.skipped;
        } else if (!r.busy) {
            result.failures << r;
        } else {
            result.busy = true;
            result.busyPath = r.path;
            ++result.notTried;
        }
    }
    // Stopped or not, what was staged before is written.
    count(batch.commit());
    if (progress && !result.stopped)
        progress(total, total);
    return result;
}

QStringList importSummary(const ImportPlan &plan, const ImportResult &result, int languageNumber)
{
    QStringList lines;
    QString head = ResString(exchange_text::Summary, languageNumber);
    head = fillPlaceholder(head, QLatin1Char('~'), QString::number(result.written));
    head = fillPlaceholder(head, QLatin1Char('#'), QString::number(result.skipped));
    const auto notWritten = std::count_if(
        result.failures.begin(), result.failures.end(), [](const StoreResult &r) { return r.unchanged; });
    head = fillPlaceholder(head, QLatin1Char('*'), QString::number(plan.refused + int(notWritten)));
    lines << head;
    for (const ExchangeProblem &p : plan.notices)
        lines << describe(p, languageNumber);
    for (const StoreResult &failure : result.failures) {
        // Said per game: the other games of the file may well have been written.
        const QString text = failure.unchanged ? ResString(own::GameNotWritten, languageNumber)
                                               : ResString(own::SaveNotFinished, languageNumber);
        lines << messageText(
            fillPlaceholder(fillPlaceholder(text, QLatin1Char('~'), failure.path), QLatin1Char('#'), failure.error));
    }
    if (result.busy || result.stopped)
        lines << messageText(
            fillPlaceholder(ResString(result.busy ? own::ImportStoppedBusy : own::ImportStoppedByUser, languageNumber),
                QLatin1Char('~'), QString::number(result.notTried)));
    return lines;
}

QList<long long> storedGameNumbers(const GameStore &store)
{
    QList<long long> numbers;
    for (const QString &entry : store.list()) {
        const qsizetype blank = entry.lastIndexOf(QLatin1Char(' '));
        numbers << leadingNumber(entry.mid(blank + 1));
    }
    return numbers;
}

ExportResult exportGames(
    const GameStore &store, const QList<long long> &numbers, ExchangeFormat format, const ProgressReport &progress)
{
    ExportResult result;
    QList<ExchangeBoard> boards;
    const int language = store.languageNumber();
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (progress && !progress(i, numbers.size())) {
            result.stopped = true;
            return result;
        }
        const long long n = numbers[i];
        const Game game = store.load(n);
        ExchangeBoard board = boardFromGame(game, language);
        if (n < 1 || n > MaxBoardNumber || !board.deal.deal || !isCompleteExchangeDeal(*board.deal.deal)) {
            result.leftOut << n;
            continue;
        }
        boards << board;
        result.exported << n;
    }
    if (format == ExchangeFormat::Pbn) {
        result.bytes = writePbn(boards);
    } else {
        QString text;
        for (const ExchangeBoard &board : boards)
            text += writeLin(board, language) + QStringLiteral("\r\n");
        result.bytes = text.toLatin1();
    }
    if (progress)
        progress(numbers.size(), numbers.size());
    return result;
}

} // namespace briqo
