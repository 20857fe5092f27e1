#include "generate/dealing.h"

#include <algorithm>
#include <bit>

namespace briqo::generate {

namespace {

// Choices drawn from one 64-bit number: 8 ranges of at most 52 multiply to less than 2^46, so a
// draw is thrown away (to keep every outcome equally likely) less than once in 250 000 times.
constexpr int ChoicesPerDraw = 8;

} // namespace

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
            m_pack[m_packSize++] = bitOfCard(card);
    }
    m_choices = m_packSize - m_needed[3];
}

int Dealer::drawOffsets(Random &random, std::array<std::uint8_t, CardsInPack> &offsets) const
{
    for (int i = 0; i < m_choices; i += ChoicesPerDraw) {
        const int count = std::min(ChoicesPerDraw, m_choices - i);
        std::uint64_t product = 1;
        for (int j = 0; j < count; ++j)
            product *= std::uint64_t(m_packSize - i - j);
        // x * product = (the digits as one number) * 2^64 + rest; the number is uniform in
        // 0 .. product - 1 when rests below 2^64 mod product are drawn again.
        for (;;) {
            std::uint64_t rest = random.next();
            for (int j = 0; j < count; ++j) {
                const unsigned __int128 m = static_cast<unsigned __int128>(rest) * std::uint64_t(m_packSize - i - j);
                offsets[i + j] = std::uint8_t(m >> 64);
                rest = std::uint64_t(m);
            }
            if (rest >= product || rest >= (0 - product) % product)
                break;
        }
    }
    return m_choices;
}

Deal Dealer::deal(Random &random)
{
    std::array<std::uint8_t, CardsInPack> offsets;
    drawOffsets(random, offsets);
    Deal d;
    d.hands = m_fixed.hands;
    int i = 0;
    for (int seat = 0; seat < 3; ++seat) {
        HandBits hand = 0;
        for (const int end = i + m_needed[seat]; i < end; ++i) {
            const int j = i + offsets[i];
            const HandBits card = m_pack[j];
            m_pack[j] = m_pack[i];
            m_pack[i] = card;
            hand |= card;
        }
        d.hands[seat] |= hand;
    }
    HandBits rest = 0;
    for (; i < m_packSize; ++i)
        rest |= m_pack[i];
    d.hands[3] |= rest;
    return d;
}

} // namespace briqo::generate
