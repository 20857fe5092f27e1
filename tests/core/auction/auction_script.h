#pragma once

#include "auction/auction_model.h"

#include <QStringList>

namespace briqo::test {

// Plays a script of box clicks: "1C".."7N" bids, "P" pass, "X" double, "XX" redouble,
// "#" number the last bid, "D" delete the last bid. Returns the outcome of the last click.
inline ClickOutcome play(AuctionModel &model, const QString &script)
{
    ClickOutcome last;
    const QStringList tokens = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &t : tokens) {
        if (t == QLatin1String("P"))
            last = model.click(BoxButton::Pass, QStringLiteral("Pas"));
        else if (t == QLatin1String("X"))
            last = model.click(BoxButton::Double, QStringLiteral("DBL"));
        else if (t == QLatin1String("XX"))
            last = model.click(BoxButton::Redouble, QStringLiteral("RDBL"));
        else if (t == QLatin1String("#"))
            last = model.click(BoxButton::Number, QStringLiteral("Nummer de bieding (1)"));
        else if (t == QLatin1String("D"))
            last = model.click(BoxButton::DeleteLast, QStringLiteral("Wis laatste bieding"));
        else {
            const int level = t.left(1).toInt();
            const int strain = int(QStringLiteral("CDHSN").indexOf(t.at(1)));
            last = model.click(5 * (level - 1) + strain, t.left(1));
        }
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

// Captions of the grid row by row, "." for an empty cell: "- 1 Pas Pas|Pas . . .".
inline QString captions(const AuctionModel &m, int rows)
{
    QStringList out;
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        for (int s = 0; s < SeatCount; ++s)
            row << (m.cell(r, s).callVisible ? m.cell(r, s).caption : QStringLiteral("."));
        out << row.join(QLatin1Char(' '));
    }
    return out.join(QLatin1Char('|'));
}

} // namespace briqo::test
