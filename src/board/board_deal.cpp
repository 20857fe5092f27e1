#include "board/board_deal.h"

#include <algorithm>

namespace briqo {

namespace {

// Positions in the alphabet "23456789AKQJT": the spot cards come first, then ace down to ten.
constexpr int RankOfPosition[13] = {0, 1, 2, 3, 4, 5, 6, 7, 12, 11, 10, 9, 8};

} // namespace

int Deal::count(int seat) const { return int(std::count(seatOf.begin(), seatOf.end(), seat)); }

bool Deal::complete() const
{
    for (int seat = 0; seat < SeatCount; ++seat)
        if (count(seat) != 13)
            return false;
    return true;
}

int rankOfLetter(QChar letter, int languageNumber)
{
    const int p = int(RankAlphabet(languageNumber).indexOf(letter));
    return p < 0 ? -1 : RankOfPosition[p];
}

QChar letterOfRank(int rank, int languageNumber)
{
    const QString alphabet = RankAlphabet(languageNumber);
    for (int p = 0; p < 13; ++p)
        if (RankOfPosition[p] == rank)
            return alphabet[p];
    return {};
}

Deal dealOf(const Holdings &holdings, int languageNumber)
{
    Deal deal;
    for (int field = 0; field < FieldCount; ++field)
        for (const QChar c : tensAsT(holdings[field])) {
            const int rank = rankOfLetter(c, languageNumber);
            int &holder = deal.seatOf[Deal::card(SuitOfField(field), std::max(rank, 0))];
            if (rank >= 0 && holder == Deal::NoSeat)
                holder = SeatOfField(field);
        }
    return deal;
}

Holdings holdingsOf(const Deal &deal, int languageNumber)
{
    Holdings holdings;
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 12; rank >= 0; --rank) {
            const int seat = deal.holder(suit, rank);
            if (seat != Deal::NoSeat)
                holdings[FieldOf(seat, suit)] += letterOfRank(rank, languageNumber);
        }
    return holdings;
}

} // namespace briqo
