#include "deal/hand_evaluation.h"

#include <algorithm>

namespace briqo {

namespace {

// RankAlphabet is lowest first with the honours in the order A K Q J T after the nine: position
// p (0-based) of the alphabet is this rank.
constexpr int RankOfAlphabetPosition[13] = {0, 1, 2, 3, 4, 5, 6, 7, RankAce, RankKing, RankQueen, RankJack, RankTen};

} // namespace

bool isBalanced(const std::array<int, 4> &shape)
{
    std::array<int, 4> sorted = shape;
    std::sort(sorted.begin(), sorted.end());
    return sorted == std::array<int, 4> {3, 3, 3, 4} || sorted == std::array<int, 4> {2, 3, 4, 4}
    || sorted == std::array<int, 4> {2, 3, 3, 5};
}

SuitBits suitFromHolding(const QString &holding, int languageNumber)
{
    const QString alphabet = RankAlphabet(languageNumber);
    SuitBits bits = 0;
    for (const QChar c : tensAsT(holding)) {
        const qsizetype p = alphabet.indexOf(c);
        if (p >= 0)
            bits |= suitBit(RankOfAlphabetPosition[p]);
    }
    return bits;
}

HandBits handFromDeal(const Holdings &deal, int seat, int languageNumber)
{
    HandBits hand = 0;
    for (int suit = 0; suit < 4; ++suit)
        hand |= HandBits(suitFromHolding(deal[FieldOf(seat, suit)], languageNumber)) << (16 * suit);
    return hand;
}

QString holdingFromSuit(SuitBits suit, int languageNumber)
{
    const QString alphabet = RankAlphabet(languageNumber);
    QString text;
    for (int rank = RankAce; rank >= 0; --rank) {
        if (!(suit & suitBit(rank)))
            continue;
        const int p = int(std::find(std::begin(RankOfAlphabetPosition), std::end(RankOfAlphabetPosition), rank)
            - std::begin(RankOfAlphabetPosition));
        text += alphabet[p];
    }
    return text;
}

} // namespace briqo
