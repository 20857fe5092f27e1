#include "output/shown_parts.h"

#include "analysis/double_dummy.h"
#include "analysis/double_dummy_cache.h"
#include "base/profile.h"
#include "deal/deal.h"

#include <algorithm>

namespace briqo {

namespace {

const QString Section = QStringLiteral("Hand-out");

// Each part is one key holding 1 (shown) or 0 (left out); the hands are one key of seat letters.
struct PartKey {
    const char *key;
    bool ShownParts::*part;
};
constexpr PartKey PartKeys[] = {
    {"Uitkomst", &ShownParts::lead},
    {"Bieding", &ShownParts::auction},
    {"Contract", &ShownParts::contract},
    {"Punten", &ShownParts::points},
    {"DD", &ShownParts::doubleDummy},
};
// Seat letters that do not depend on the language: N, E/O, S/Z and W are all read.
constexpr char SeatLetters[] = "NESW";

} // namespace

ShownParts readShownParts(const QString &iniFile)
{
    ShownParts parts;
    for (const PartKey &k : PartKeys) {
        const QString value = ReadIni(Section, QLatin1String(k.key), iniFile);
        if (value == QLatin1String("1"))
            parts.*k.part = true;
        else if (value == QLatin1String("0"))
            parts.*k.part = false;
    }
    const QString hands = ReadIni(Section, QStringLiteral("Handen"), iniFile).toUpper();
    if (!hands.isEmpty() && hands != QLatin1String("-")) {
        std::array<bool, 4> shown {};
        bool understood = true;
        for (const QChar c : hands) {
            const int seat = QString::fromLatin1(SeatLetters).indexOf(c == u'O' ? u'E' : c == u'Z' ? u'S' : c);
            if (seat < 0)
                understood = false;
            else
                shown[seat] = true;
        }
        if (understood)
            parts.hands = shown;
    } else if (hands == QLatin1String("-")) {
        parts.hands = {};
    }
    return parts;
}

bool writeShownParts(const ShownParts &parts, const QString &iniFile)
{
    bool written = true;
    for (const PartKey &k : PartKeys)
        written = WriteIni(
                      Section, QLatin1String(k.key), parts.*k.part ? QStringLiteral("1") : QStringLiteral("0"), iniFile)
            && written;
    QString hands;
    for (int seat = 0; seat < 4; ++seat) {
        if (parts.hands[seat])
            hands += QLatin1Char(SeatLetters[seat]);
    }
    // No hand at all is written as "-", so that it is not read back as "nothing written yet".
    return WriteIni(Section, QStringLiteral("Handen"), hands.isEmpty() ? QStringLiteral("-") : hands, iniFile)
        && written;
}

bool solveTablesAhead(
    const QList<Game> &games, const ShownParts &parts, int languageNumber, const ProgressReport &progress)
{
    if (!parts.doubleDummy)
        return true;
    QList<DealToSolve> deals;
    for (const Game &game : games)
        deals.append({game.holdings, VulnerabilityOf(game.number)});
    return solveDealsAhead(deals, languageNumber, progress);
}

bool anyTableToSolve(const QList<Game> &games, int languageNumber)
{
    return std::any_of(games.begin(), games.end(), [languageNumber](const Game &game) {
        // A key is made of complete deals only.
        const auto key = DoubleDummyCache::keyOf(game.holdings, languageNumber, VulnerabilityOf(game.number));
        return key && !DoubleDummyCache::shared().find(*key);
    });
}

} // namespace briqo
