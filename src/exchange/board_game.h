#pragma once

#include "exchange/exchange_board.h"
#include "store/game.h"

#include <QList>
#include <optional>

namespace briqo {

// Board numbers a game can take: the game-number field holds three digits, and 0 is no game.
constexpr long long MaxBoardNumber = 999;

// A board of a file as a stored game: the game (none when the board is refused) and what was said
// about it: the reason of a refusal, or the parts that were left out (an auction the grid cannot
// hold, a lead from the wrong hand).
struct BoardAsGame {
    std::optional<Game> game;
    long long number = 0; // the board number, when it is one
    QList<ExchangeProblem> problems;
};

// Checks a board against the rules of a stored game and builds the game exactly as typing it
// would: holdings in the letters of the language, the auction clicked into the grid call by call
// (numbered notes included), the contract the finished auction gives (or the file's Contract and
// Declarer without an auction), the opening lead, the question and the answer. Texts of notes
// become lines "(1) text" at the end of the question.
BoardAsGame gameFromBoard(const ExchangeBoard &board, int languageNumber);

// The checks of gameFromBoard that refuse a board (its number, its deal, a dealer or vulnerability
// that contradicts the number) without building the game: the number, and the reason of a refusal
// in problems. A board that passes them always becomes a game.
BoardAsGame checkBoard(const ExchangeBoard &board);

// A stored game as a board to write: the deal, the calls of the grid with their notes, contract,
// declarer, lead, question and answer. Note lines at the end of the question that a file can carry
// as note texts move there, so that reading the file gives the same question back.
ExchangeBoard boardFromGame(const Game &game, int languageNumber);

// Whether the calls end the auction (three passes after a bid, or four passes).
bool isAuctionOver(const QList<ExchangeCall> &calls);

} // namespace briqo
