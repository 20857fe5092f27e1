#pragma once

#include "deal/deal.h"

#include <array>

namespace briqo {

// The deal as cards, without the letters of a language: which seat holds each of the 52 cards.
// A card is suit x 13 + rank, suit in hand order (0 spades .. 3 clubs), rank 0 the two .. 12 the ace.
struct Deal {
    static constexpr int NoSeat = -1;
    std::array<int, 52> seatOf;

    Deal() { seatOf.fill(NoSeat); }

    static constexpr int card(int suit, int rank) { return suit * 13 + rank; }
    int holder(int suit, int rank) const { return seatOf[card(suit, rank)]; }
    int count(int seat) const;
    // 13 cards in each hand.
    bool complete() const;

    bool operator==(const Deal &) const = default;
};

// The rank (0 two .. 12 ace) of a card letter of the language, -1 for any other character.
int rankOfLetter(QChar letter, int languageNumber);
QChar letterOfRank(int rank, int languageNumber);

// The cards the holdings name ("10" read as the ten). A character outside the alphabet names no
// card; a card named twice goes to the first seat that names it.
Deal dealOf(const Holdings &holdings, int languageNumber);

// The holdings of a deal in the letters of a language, highest card first, tens as "T".
Holdings holdingsOf(const Deal &deal, int languageNumber);

} // namespace briqo
