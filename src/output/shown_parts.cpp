#include "output/shown_parts.h"

#include "base/profile.h"

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

} // namespace briqo
