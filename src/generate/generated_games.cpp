#include "generate/generated_games.h"

#include "exchange/board_game.h"
#include "exchange/pbn_writer.h"
#include "base/string_table.h"

namespace briqo::generate {

Holdings exchangeHoldings(const Deal &deal)
{
    Holdings h;
    for (int seat = 0; seat < 4; ++seat)
        for (int suit = 0; suit < 4; ++suit)
            h[FieldOf(seat, suit)] = holdingFromSuit(suitOf(deal.hands[seat], suit), LanguageEnglish);
    return h;
}

QList<ExchangeBoard> boardsOfDeals(const QList<Deal> &deals, long long firstNumber)
{
    QList<ExchangeBoard> boards;
    for (qsizetype i = 0; i < deals.size(); ++i) {
        const long long n = firstNumber + i;
        ExchangeBoard board;
        board.boardText = QString::number(n);
        board.hasDeal = true;
        board.deal.recognised = true;
        board.deal.deal = exchangeHoldings(deals[i]);
        board.dealer = DealerOf(n);
        board.vulnerability = VulnerabilityOf(n);
        boards << board;
    }
    return boards;
}

QList<Game> gamesOfDeals(const QList<Deal> &deals, long long firstNumber, int languageNumber)
{
    QList<Game> games;
    for (const ExchangeBoard &board : boardsOfDeals(deals, firstNumber)) {
        const BoardAsGame made = gameFromBoard(board, languageNumber);
        if (made.game)
            games << *made.game;
    }
    return games;
}

QByteArray pbnOfDeals(const QList<Deal> &deals, long long firstNumber)
{
    return writePbn(boardsOfDeals(deals, firstNumber));
}

QString oneLineOfDeal(const Deal &deal)
{
    const Holdings h = exchangeHoldings(deal);
    QString line;
    for (int seat = 0; seat < 4; ++seat) {
        line += QLatin1Char("nesw"[seat]);
        line += QLatin1Char(' ');
        for (int suit = 0; suit < 4; ++suit)
            line += h[FieldOf(seat, suit)] + (suit < 3 ? QStringLiteral(".") : QStringLiteral(" "));
    }
    return line.trimmed();
}

QList<long long> storedAmong(const QList<Game> &games, const GameStore &store)
{
    QList<long long> stored;
    for (const Game &game : games)
        if (store.isStored(game.number))
            stored << game.number;
    return stored;
}

ImportResult storeGames(const QList<Game> &games, ClashChoice choice, const GameStore &store)
{
    store.ensureGamesRoot();
    ImportPlan plan;
    plan.games = games;
    plan.clashes = storedAmong(games, store);
    return applyImport(plan, choice, store);
}

} // namespace briqo::generate
