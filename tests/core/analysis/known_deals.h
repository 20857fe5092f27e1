#pragma once

#include "deal/deal.h"

#include <QStringList>

// Deals whose double-dummy results are worked out by hand in test_double_dummy.cpp.
namespace briqo::test {

// A deal from four hands written "spades.hearts.diamonds.clubs", North, East, South, West.
inline Holdings dealOf(const char *north, const char *east, const char *south, const char *west)
{
    Holdings deal;
    const char *hands[4] = {north, east, south, west};
    for (int seat = 0; seat < 4; ++seat) {
        const QStringList suits = QString::fromLatin1(hands[seat]).split(QLatin1Char('.'));
        for (int suit = 0; suit < 4; ++suit)
            deal[FieldOf(seat, suit)] = suits.value(suit);
    }
    return deal;
}

// Each player holds all thirteen cards of one suit.
inline Holdings fourOneSuiters()
{
    return dealOf("AKQJT98765432...", ".AKQJT98765432..", "..AKQJT98765432.", "...AKQJT98765432");
}

// North-South hold the top cards of every suit.
inline Holdings northSouthTakeAll()
{
    return dealOf("T98.98.AKQJ.AKQJ", "765.765.8765.876", "AKQJ.AKQJT.T9.T9", "432.432.432.5432");
}

// North-South make a grand slam in spades; East alone takes twelve tricks in no trump.
inline Holdings sacrificeInNoTrump()
{
    return dealOf("AKQJT98765432...", ".KQJT98765432.2.", ".A..KQJT98765432", "..AKQJT9876543.A");
}

// Six top cards of a suit in one hand, the next six with his left-hand opponent, the deuce with
// his right-hand opponent; the four suits are placed a seat apart.
inline Holdings nobodyMakesAnything()
{
    return dealOf("AKQJT9.2..876543", "876543.AKQJT9.2.", ".876543.AKQJT9.2", "2..876543.AKQJT9");
}

} // namespace briqo::test
