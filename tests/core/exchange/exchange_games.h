#pragma once

#include "auction/auction_model.h"
#include "auction/final_contract.h"
#include "exchange/deal_text.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "store/game.h"

#include <QFile>
#include <QStringList>

namespace briqo::test {

// Board 5 of the teaching file: North 643.QJ9862.9.K85, East A972.3.Q8763.T32,
// South JT8.AT74.KJT.A96, West KQ5.K5.A542.QJ74.
inline Holdings sampleDeal()
{
    return parsePbnDeal(QStringLiteral("N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74"))
        .deal.value();
}

// A game as the board makes it: the sample deal in the letters of the language, the calls clicked
// into the box ("1C".."7N", "P", "X", "XX", "#" numbers the last bid), and the contract the box
// shows when the auction ends.
inline Game typedGame(long long n, const QString &calls, int language)
{
    static const QStringList words {"P", "X", "XX", "#"};
    Game game;
    game.number = n;
    game.holdings = dealInLanguage(sampleDeal(), language);
    AuctionModel m;
    m.resetForGame(DealerOf(n));
    for (const QString &t : calls.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int w = int(words.indexOf(t));
        const int k
            = w >= 0 ? BoxButton::Pass + w : 5 * t[0].digitValue() - 5 + int(QStringLiteral("CDHSN").indexOf(t.back()));
        m.click(k, w >= 0 && w < 3 ? ResString(Str::Pass + w, language) : QString());
    }
    AuctionFile auction;
    auction.callKinds = m.CallKinds();
    const QList<FileCell> cells = m.cellsForFile();
    for (int i = 0; i < AuctionCells; ++i)
        auction.cells[i] = cells[i];
    game.auction = auction;
    if (m.CallKinds().endsWith(QLatin1String("222")) && m.CallKinds().size() >= 4) {
        if (const auto fc = finalContract(m))
            game.contract = contractText(*fc, language);
    }
    return game;
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QString dataFile(const char *name) { return QStringLiteral(BRIQO_TEST_DATA "/exchange/") + QLatin1String(name); }

} // namespace briqo::test
