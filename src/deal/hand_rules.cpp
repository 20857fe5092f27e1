#include "deal/hand_rules.h"

#include <array>
#include <utility>

namespace briqo {

CardKeyVerdict checkCardKey(const Holdings &deal, int field, QChar c)
{
    if (tensAsT(deal[field]).contains(c))
        return CardKeyVerdict::AlreadyThere;
    if (CardCount(deal, SeatOfField(field)) >= 13)
        return CardKeyVerdict::HandFull;
    for (int seat = 0; seat < 4; ++seat)
        if (tensAsT(deal[FieldOf(seat, SuitOfField(field))]).contains(c))
            return CardKeyVerdict::HeldElsewhere;
    return CardKeyVerdict::Accept;
}

std::optional<int> seatToComplete(const Holdings &deal)
{
    int complete = 0;
    std::optional<int> empty;
    for (int seat = 0; seat < 4; ++seat) {
        const int count = CardCount(deal, seat);
        if (count == 13)
            ++complete;
        if (count == 0)
            empty = seat;
    }
    if (complete == 3 && empty)
        return empty;
    return std::nullopt;
}

QString missingCards(const Holdings &deal, int seat, int suit, int languageNumber)
{
    QString left = RankAlphabet(languageNumber);
    for (int other = 0; other < 4; ++other) {
        if (other == seat)
            continue;
        for (const QChar c : tensAsT(deal[FieldOf(other, suit)]))
            left.remove(c);
    }
    return sortedHolding(left, languageNumber);
}

int totalCards(const Holdings &deal)
{
    int total = 0;
    for (const QString &h : deal)
        total += CardCount(h);
    return total;
}

bool isValidCompleteDeal(const Holdings &deal, int languageNumber)
{
    const QString alphabet = RankAlphabet(languageNumber);
    std::array<bool, 4 * 13> seen {}; // by suit and the card's place in the alphabet
    int cards = 0;
    for (int seat = 0; seat < 4; ++seat) {
        if (CardCount(deal, seat) != 13)
            return false;
        for (int suit = 0; suit < 4; ++suit)
            for (const QChar c : tensAsT(deal[FieldOf(seat, suit)])) {
                const qsizetype rank = alphabet.indexOf(c);
                if (rank < 0 || rank >= 13 || std::exchange(seen[size_t(suit * 13 + rank)], true))
                    return false;
                ++cards;
            }
    }
    return cards == 52;
}

} // namespace briqo
