#pragma once
// A deal as four hands of bits, and the dealing of the cards that are not fixed in advance.

#include "deal/hand_evaluation.h"
#include "generate/random.h"

#include <array>
#include <cstdint>

namespace briqo::generate {

// Card c (0..51): suit c / 13 (0 spades .. 3 clubs), rank c % 13 (0 the two .. 12 the ace).
constexpr int CardsInPack = 52;
constexpr HandBits bitOfCard(int card) { return cardBit(card / 13, card % 13); }

struct Deal {
    std::array<HandBits, 4> hands {}; // by seat, North first

    bool operator==(const Deal &) const = default;
};

// Cards given to a seat before the rest is dealt ("North holds S AKQ2 H K87 ...").
struct Predeal {
    std::array<HandBits, 4> hands {};

    bool operator==(const Predeal &) const = default;
};

// Deals the cards that are not predealt, every deal that keeps the predealt cards in place being
// equally likely: a partial shuffle chooses the cards of the first three seats one by one from
// those left, and the fourth seat takes what remains. The shuffle goes on from the order the last
// deal left (each choice is uniform whatever that order is), so a copy made at the start of a
// block of deals gives the same deals wherever the block runs.
class Dealer {
public:
    explicit Dealer(const Predeal &predeal);

    Deal deal(Random &random);

    // The offsets of the partial shuffle: choice i takes the card offsets[i] places after
    // position i among the cards still in the pack. Several choices share one 64-bit random
    // number: the product of their ranges is drawn as one number and split into its digits.
    int drawOffsets(Random &random, std::array<std::uint8_t, CardsInPack> &offsets) const;

private:
    Predeal m_fixed;
    std::array<HandBits, CardsInPack> m_pack {};
    int m_packSize = 0;
    int m_choices = 0; // cards chosen: all but the fourth seat's
    std::array<int, 4> m_needed {};
};

} // namespace briqo::generate
