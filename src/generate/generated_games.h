#pragma once
// Generated deals as what the rest of the program knows: games numbered from a first number
// (dealer and vulnerability following each number, as for a typed game), boards of a PBN file,
// one-line text, and their writing into the games folder.

#include "exchange/exchange_board.h"
#include "exchange/importer.h"
#include "generate/dealing.h"
#include "store/game.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace briqo::generate {

// The 16 holdings of a deal in the letters of the exchange formats (A K Q J T 9 .. 2).
Holdings exchangeHoldings(const Deal &deal);

QList<ExchangeBoard> boardsOfDeals(const QList<Deal> &deals, long long firstNumber);
// The games as typing the deals would make them: hands in the letters of the language, the
// auction grid empty but for the seats before the dealer.
QList<Game> gamesOfDeals(const QList<Deal> &deals, long long firstNumber, int languageNumber);
QByteArray pbnOfDeals(const QList<Deal> &deals, long long firstNumber);
// "n AKQ2.K87.32.AK54 e ... s ... w ..."
QString oneLineOfDeal(const Deal &deal);

// The numbers of the games that are stored already.
QList<long long> storedAmong(const QList<Game> &games, const GameStore &store);
// Writes the games into the store: a stored game is replaced whole (Overwrite) or kept (Skip);
// Cancel writes nothing when any of them is stored. The one place generated games reach the store.
ImportResult storeGames(const QList<Game> &games, ClashChoice choice, const GameStore &store);

} // namespace briqo::generate
