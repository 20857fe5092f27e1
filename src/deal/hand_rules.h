#pragma once

#include "deal/deal.h"

#include <optional>

namespace briqo {

// What happens to a card letter typed into a hand field.
enum class CardKeyVerdict {
    Accept, // the card joins the field
    AlreadyThere, // the same field holds it: silently ignored
    HandFull, // the seat already has 13 cards
    HeldElsewhere, // another hand of the same suit holds it
};

// Checks the upper-case letter c typed into field of deal (tens written either way).
CardKeyVerdict checkCardKey(const Holdings &deal, int field, QChar c);

// The seat whose hand is filled automatically: exactly three seats hold 13 cards and one holds
// none (with several empty seats, the highest). No seat otherwise.
std::optional<int> seatToComplete(const Holdings &deal);

// The cards of suit that none of the other three seats holds, highest first.
QString missingCards(const Holdings &deal, int seat, int suit, int languageNumber);

int totalCards(const Holdings &deal);

// A deal that can be bid, saved as finished, shown or printed: 52 different cards of the
// alphabet, 13 in each hand. A pasted duplicate or a fourteenth card fails this.
bool isValidCompleteDeal(const Holdings &deal, int languageNumber);

} // namespace briqo
