#pragma once

#include "deal/deal.h"
#include "store/game_files.h"

#include <QString>

#include <optional>

namespace briqo {

// Everything stored about one game, as a value: what the game folder's files hold, without a
// window. A game read from disk has the parts its folder holds; a missing file is an empty part.
struct Game {
    long long number = 0;
    Holdings holdings; // as stored: the 16 fields, every ten written "T"
    std::optional<AuctionFile> auction; // none when the auction file is missing or 10 bytes or less
    QString contract; // the contract line ("Zuid 4 Schoppen"); empty when there is none
    std::optional<LeadLine> lead;
    QString question; // the question text; empty when there is no question file
    QString answer;
    bool hasQuestionFile = false; // the files exist with at least one byte
    bool hasAnswerFile = false;

    bool operator==(const Game &) const = default;
};

} // namespace briqo
