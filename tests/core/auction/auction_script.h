#pragma once

#include "auction/auction_model.h"

#include <QStringList>
#include <QTest>

namespace briqo::test {

// One row of a data table, each value in the order of the columns.
template<typename... T> void row(const char *name, T... values) { (QTest::newRow(name) << ... << values); }

// The board of a dealer after box clicks: "1C".."7N" bids, "P" pass, "X" double, "XX" redouble,
// "#" number the last bid, "D" delete the last bid.
inline AuctionModel auction(int dealer, const QString &script)
{
    static const QStringList words {"P", "X", "XX", "#", "D"}, captions {"Pas", "DBL", "RDBL"};
    AuctionModel m;
    m.resetForGame(dealer);
    for (const QString &t : script.split(' ', Qt::SkipEmptyParts)) {
        const int w = int(words.indexOf(t));
        const int bid = 5 * t[0].digitValue() - 5 + int(QStringLiteral("CDHSN").indexOf(t.back()));
        m.click(w >= 0 ? BoxButton::Pass + w : bid, captions.value(w));
    }
    return m;
}

// The grid up to its last used row: "." for an empty cell, a shown note after its call, and "!"
// after a cell whose strain picture is wrong (it belongs beside a contract bid and nowhere else).
inline QString captions(const AuctionModel &m)
{
    QString grid;
    for (int i = 0; i < AuctionCells; ++i) {
        const AuctionCell &c = m.cell(i / SeatCount, i % SeatCount);
        const bool badPicture = c.pictureVisible != (c.callVisible && cellNumber(c.caption) > 0);
        grid += c.callVisible ? c.caption + (c.noteVisible ? c.note : "") : ".";
        grid += QString(badPicture ? "!" : "") + (i % SeatCount == SeatCount - 1 ? "|" : " ");
    }
    while (grid.endsWith(". . . .|"))
        grid.chop(8);
    grid.chop(1);
    return grid;
}

} // namespace briqo::test
