#pragma once
// Deals for the tests written as "N:AKQ2.K87.32.AK54 ..." (hands clockwise from North).

#include "generate/dealing.h"

#include <QString>
#include <QStringList>

namespace briqo::generate {

inline Deal dealOf(const QString &text)
{
    Deal d;
    const QStringList hands = text.mid(2).split(QLatin1Char(' '));
    static const QString ranks = QStringLiteral("23456789TJQKA");
    for (int seat = 0; seat < 4; ++seat) {
        const QStringList suits = hands[seat].split(QLatin1Char('.'));
        for (int s = 0; s < 4; ++s)
            for (const QChar c : suits[s])
                d.hands[seat] |= cardBit(s, int(ranks.indexOf(c)));
    }
    return d;
}

} // namespace briqo::generate
