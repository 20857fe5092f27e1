#include "generate/dealing.h"

#include <bit>

namespace briqo::generate {

Dealer::Dealer(const Predeal &predeal)
    : m_fixed(predeal)
{
    HandBits used = 0;
    for (int seat = 0; seat < 4; ++seat) {
        used |= predeal.hands[seat];
        m_needed[seat] = 13 - std::popcount(predeal.hands[seat]);
    }
    for (int card = 0; card < CardsInPack; ++card) {
        if (!(used & bitOfCard(card)))
            m_pack[m_packSize++] = std::uint8_t(card);
    }
}

Deal Dealer::deal(Random &random) const
{
    std::array<std::uint8_t, CardsInPack> pack = m_pack;
    Deal d;
    d.hands = m_fixed.hands;
    const int n = m_packSize;
    int i = 0;
    for (int seat = 0; seat < 3; ++seat) {
        HandBits hand = 0;
        for (const int end = i + m_needed[seat]; i < end; ++i) {
            const int j = i + int(random.below(std::uint32_t(n - i)));
            const std::uint8_t card = pack[j];
            pack[j] = pack[i];
            pack[i] = card;
            hand |= bitOfCard(card);
        }
        d.hands[seat] |= hand;
    }
    HandBits rest = 0;
    for (; i < n; ++i)
        rest |= bitOfCard(pack[i]);
    d.hands[3] |= rest;
    return d;
}

} // namespace briqo::generate
