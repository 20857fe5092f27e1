#include "generate/constraints.h"

#include "deal/hand_evaluation.h"
#include "generate/generate_strings.h"
#include "base/string_table.h"

#include <QRegularExpression>
#include <QStringList>

#include <bit>
#include <optional>

namespace briqo::generate {

namespace {

const char *const ScriptSeats[4] = {"north", "east", "south", "west"};
const char *const ScriptSuits[4] = {"spades", "hearts", "diamonds", "clubs"};

// The suit letters a teacher writes before a holding: English S H D C, and in Dutch also the
// initials of schoppen, harten, ruiten, klaveren.
int suitOfLetter(QChar c, int languageNumber)
{
    const QString letters = languageNumber == LanguageDutch ? QStringLiteral("SHRK") : QStringLiteral("SHDC");
    qsizetype s = letters.indexOf(c.toUpper());
    if (s < 0)
        s = QStringLiteral("SHDC").indexOf(c.toUpper());
    return int(s);
}

// The fixed cards of one hand as bits; nullopt for text that is not a hand.
std::optional<HandBits> readFixedCards(const QString &text, int languageNumber)
{
    QString t = text.trimmed();
    std::array<QString, 4> holdings;
    if (t.contains(QLatin1Char('.'))) {
        const QStringList parts = t.split(QLatin1Char('.'));
        if (parts.size() != 4)
            return std::nullopt;
        for (int s = 0; s < 4; ++s)
            holdings[s] = parts[s].trimmed();
    } else {
        // Each holding starts with its suit letter, its cards joined to it ("SAKQ2") or in the
        // next word ("S AKQ2"); "-" is a void.
        bool ranksNext = false;
        int suit = -1;
        for (QString word : t.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
            if (!ranksNext) {
                suit = suitOfLetter(word[0], languageNumber);
                if (suit < 0)
                    return std::nullopt;
                word = word.mid(1);
                ranksNext = word.isEmpty();
                if (ranksNext)
                    continue;
            }
            ranksNext = false;
            if (word != QLatin1String("-"))
                holdings[suit] += word;
        }
    }
    const QString alphabet = RankAlphabet(languageNumber);
    HandBits hand = 0;
    for (int s = 0; s < 4; ++s) {
        const QString ranks = tensAsT(holdings[s].toUpper());
        for (const QChar c : ranks)
            if (!alphabet.contains(c))
                return std::nullopt;
        const SuitBits bits = suitFromHolding(ranks, languageNumber);
        if (suitLength(bits) != ranks.size())
            return std::nullopt; // a card written twice
        hand |= HandBits(bits) << (16 * s);
    }
    return hand;
}

} // namespace

ConstraintScript scriptFromConstraints(const DealConstraints &constraints, int languageNumber)
{
    ConstraintScript out;
    QStringList predeals;
    QStringList terms;
    HandBits used = 0;
    for (int seat = 0; seat < 4; ++seat) {
        const SeatConstraints &c = constraints[seat];
        const QString who = QLatin1String(ScriptSeats[seat]);
        auto refuse = [&](int text, const QString &detail = {}) {
            QString message
                = fillPlaceholder(ResString(text, languageNumber), QLatin1Char('*'), SeatName(seat, languageNumber));
            out.error = fillPlaceholder(message, QLatin1Char('~'), detail);
            out.script.clear();
            return out;
        };
        bool ranges = c.hcpMin > c.hcpMax;
        for (int s = 0; s < 4; ++s)
            ranges = ranges || c.lengthMin[s] > c.lengthMax[s];
        if (ranges)
            return refuse(generate_text::MinAboveMax);
        if (!c.fixedCards.trimmed().isEmpty()) {
            const std::optional<HandBits> hand = readFixedCards(c.fixedCards, languageNumber);
            if (!hand || std::popcount(*hand) > 13 || (*hand & used))
                return refuse(generate_text::BadFixedCards, c.fixedCards.trimmed());
            used |= *hand;
            QStringList suits;
            for (int s = 0; s < 4; ++s) {
                const SuitBits bits = suitOf(*hand, s);
                if (bits)
                    suits << QStringLiteral("SHDC")[s] + holdingFromSuit(bits, LanguageEnglish);
            }
            if (!suits.isEmpty())
                predeals << QStringLiteral("predeal %1 %2").arg(who, suits.join(QStringLiteral(", ")));
        }
        if (c.hcpMin > 0)
            terms << QStringLiteral("hcp(%1) >= %2").arg(who).arg(c.hcpMin);
        if (c.hcpMax < MaxHcp)
            terms << QStringLiteral("hcp(%1) <= %2").arg(who).arg(c.hcpMax);
        for (int s = 0; s < 4; ++s) {
            const QString suit = QLatin1String(ScriptSuits[s]);
            if (c.lengthMin[s] == c.lengthMax[s]) {
                terms << QStringLiteral("%1(%2) == %3").arg(suit, who).arg(c.lengthMin[s]);
                continue;
            }
            if (c.lengthMin[s] > 0)
                terms << QStringLiteral("%1(%2) >= %3").arg(suit, who).arg(c.lengthMin[s]);
            if (c.lengthMax[s] < 13)
                terms << QStringLiteral("%1(%2) <= %3").arg(suit, who).arg(c.lengthMax[s]);
        }
        if (c.balanced)
            terms << QStringLiteral("shape(%1, any 4333 + any 4432 + any 5332)").arg(who);
    }
    QStringList lines = predeals;
    lines << QStringLiteral("condition ")
            + (terms.isEmpty() ? QStringLiteral("1") : terms.join(QStringLiteral("\n    && ")));
    out.script = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return out;
}

} // namespace briqo::generate
