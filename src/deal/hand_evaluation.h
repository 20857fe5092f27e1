#pragma once
// How a hand is valued: high-card points, suit lengths and shape, controls and losers. One set of
// functions for the whole program: the summary grid's points and the deal generator's conditions
// both count with these, so a deal made for "15-17 points" shows 15-17 on the board.

#include "deal/deal.h"

#include <array>
#include <cstdint>

namespace briqo {

// A suit holding as 13 bits: bit 0 the two .. bit 8 the ten, bit 9 the jack, 10 the queen,
// 11 the king, 12 the ace.
using SuitBits = std::uint16_t;
constexpr int RankCount = 13;
constexpr int RankTen = 8;
constexpr int RankJack = 9;
constexpr int RankQueen = 10;
constexpr int RankKing = 11;
constexpr int RankAce = 12;
constexpr SuitBits suitBit(int rank) { return SuitBits(1u << rank); }

// A hand as four 16-bit fields in one word, suit s (0 spades .. 3 clubs) at bits 16 s .. 16 s + 12.
using HandBits = std::uint64_t;
constexpr HandBits cardBit(int suit, int rank) { return HandBits(1) << (16 * suit + rank); }
constexpr SuitBits suitOf(HandBits hand, int suit) { return SuitBits((hand >> (16 * suit)) & 0x1FFF); }

namespace evaluation_detail {

struct SuitValue {
    std::uint8_t length = 0;
    std::uint8_t hcp = 0; // ace 4, king 3, queen 2, jack 1
    std::uint8_t controls = 0; // ace 2, king 1
    std::uint8_t losers = 0;
};

constexpr SuitValue valueOf(unsigned bits)
{
    SuitValue v;
    for (int r = 0; r < RankCount; ++r)
        v.length += (bits >> r) & 1;
    const bool a = bits & suitBit(RankAce), k = bits & suitBit(RankKing), q = bits & suitBit(RankQueen);
    const bool j = bits & suitBit(RankJack);
    v.hcp = std::uint8_t(4 * a + 3 * k + 2 * q + j);
    v.controls = std::uint8_t(2 * a + k);
    // The plain losing-trick count: a void none; a singleton one unless the ace; a doubleton two,
    // less one for each of ace and king; a longer suit three, less one for each of A, K and Q.
    if (v.length == 0)
        v.losers = 0;
    else if (v.length == 1)
        v.losers = a ? 0 : 1;
    else if (v.length == 2)
        v.losers = std::uint8_t(2 - a - k);
    else
        v.losers = std::uint8_t(3 - a - k - q);
    return v;
}

struct SuitTable {
    std::array<SuitValue, 1 << RankCount> values {};
    constexpr SuitTable()
    {
        for (unsigned bits = 0; bits < values.size(); ++bits)
            values[bits] = valueOf(bits);
    }
};

inline constexpr SuitTable suitTable {};

} // namespace evaluation_detail

constexpr int suitLength(SuitBits s) { return evaluation_detail::suitTable.values[s & 0x1FFF].length; }
constexpr int suitHcp(SuitBits s) { return evaluation_detail::suitTable.values[s & 0x1FFF].hcp; }
constexpr int suitControls(SuitBits s) { return evaluation_detail::suitTable.values[s & 0x1FFF].controls; }
constexpr int suitLosers(SuitBits s) { return evaluation_detail::suitTable.values[s & 0x1FFF].losers; }

constexpr int handHcp(HandBits h)
{
    return suitHcp(suitOf(h, 0)) + suitHcp(suitOf(h, 1)) + suitHcp(suitOf(h, 2)) + suitHcp(suitOf(h, 3));
}
constexpr int handControls(HandBits h)
{
    return suitControls(suitOf(h, 0)) + suitControls(suitOf(h, 1)) + suitControls(suitOf(h, 2))
        + suitControls(suitOf(h, 3));
}
constexpr int handLosers(HandBits h)
{
    return suitLosers(suitOf(h, 0)) + suitLosers(suitOf(h, 1)) + suitLosers(suitOf(h, 2)) + suitLosers(suitOf(h, 3));
}
// The lengths of spades, hearts, diamonds and clubs.
constexpr std::array<int, 4> handShape(HandBits h)
{
    return {suitLength(suitOf(h, 0)), suitLength(suitOf(h, 1)), suitLength(suitOf(h, 2)), suitLength(suitOf(h, 3))};
}
// 4333, 4432 or 5332 in any order of the suits.
bool isBalanced(const std::array<int, 4> &shape);

// A holding written in the card letters of the language (the ten as "T" or "10") as bits; letters
// outside the alphabet count for nothing, as they do when the board counts points.
SuitBits suitFromHolding(const QString &holding, int languageNumber);
HandBits handFromDeal(const Holdings &deal, int seat, int languageNumber);
// The holding of the bits in the letters of the language, highest card first, the ten as "T".
QString holdingFromSuit(SuitBits suit, int languageNumber);

} // namespace briqo
