#pragma once

#include "auction/auction_model.h"

#include <QStringList>

namespace briqo::test {

// Plays box clicks: "1C".."7N" bids, "P" pass, "X" double, "XX" redouble, "#" number the last
// bid, "D" delete the last bid. Returns the outcome of the last click.
inline ClickOutcome play(AuctionModel &m, const QString &script)
{
    static const QStringList words { "P", "X", "XX", "#", "D" };
    static const QStringList captions { "Pas", "DBL", "RDBL", "", "" };
    ClickOutcome last;
    for (const QString &t : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int w = int(words.indexOf(t));
        if (w >= 0)
            last = m.click(BoxButton::Pass + w, captions[w]);
        else
            last = m.click(5 * (t.left(1).toInt() - 1) + int(QStringLiteral("CDHSN").indexOf(t[1])), t.left(1));
    }
    return last;
}

inline AuctionModel auction(int dealer, const QString &script)
{
    AuctionModel m;
    m.resetForGame(dealer);
    play(m, script);
    return m;
}

// The grid up to its last used row, "." for an empty cell, a shown note after its call:
// "- 1(1) Pas Pas|Pas . . .".
inline QString captions(const AuctionModel &m)
{
    QStringList rows;
    for (int r = 0; r < AuctionRows; ++r) {
        QStringList row;
        for (int s = 0; s < SeatCount; ++s) {
            const AuctionCell &c = m.cell(r, s);
            row << (c.callVisible ? c.caption + (c.noteVisible ? c.note : QString()) : QStringLiteral("."));
        }
        rows << row.join(QLatin1Char(' '));
    }
    while (!rows.isEmpty() && rows.last() == QLatin1String(". . . ."))
        rows.removeLast();
    return rows.join(QLatin1Char('|'));
}

} // namespace briqo::test
