#include "auction/lead_card.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "deal/deal.h"

namespace briqo {

namespace {

// Positions in the card letters of the language, counted from 1: 2..9, then the ace, king,
// queen, jack and ten.
constexpr int AcePosition = 9;
constexpr int TenPosition = 13;

QString seatName(int seat, int languageNumber)
{
    return seat >= 0 && seat < SeatCount ? SeatName(seat, languageNumber) : QString();
}

QString suitName(int suit, int languageNumber)
{
    return suit >= 0 && suit <= 3 ? SuitName(suit, languageNumber) : QString();
}

} // namespace

int leaderSeat(std::optional<int> declarer, int clickedField)
{
    if (declarer && *declarer >= 0 && *declarer < SeatCount)
        return (*declarer + 1) % SeatCount;
    if (clickedField < 0 || clickedField > 15)
        return -1;
    return clickedField / 4;
}

QChar leadCharAt(const QString &fieldText, int caretPos)
{
    if (caretPos < 0 || caretPos >= fieldText.size())
        return {};
    const QChar c = fieldText[caretPos];
    if (c == QLatin1Char('1'))
        return QLatin1Char('T');
    if (c == QLatin1Char('0') && caretPos > 0 && fieldText[caretPos - 1] == QLatin1Char('1'))
        return QLatin1Char('T');
    return c;
}

QString leadCardText(QChar c, int languageNumber, bool tenShownAs10)
{
    if (c.isNull())
        return {};
    if (c == QLatin1Char('1'))
        c = QLatin1Char('T');
    const int p = int(RankAlphabet(languageNumber).indexOf(c)) + 1;
    if (p >= AcePosition && p < TenPosition)
        return ResString(Str::Ace + p - AcePosition, languageNumber);
    if (p == TenPosition)
        return tenShownAs10 ? QStringLiteral("10") : QStringLiteral("T");
    return QString(c);
}

QString leadQuestion(int leader, int suit, const QString &cardText, int languageNumber)
{
    QString text = ResString(Str::LeadQuestion, languageNumber);
    text = fillPlaceholder(text, QLatin1Char('~'), seatName(leader, languageNumber));
    text = fillPlaceholder(text, QLatin1Char('#'), suitName(suit, languageNumber));
    return fillPlaceholder(text, QLatin1Char('*'), cardText);
}

QString leadRecord(int leader, int suit, const QString &cardText, int languageNumber)
{
    QString card = cardText;
    card.replace(QLatin1String("10"), QLatin1String("T"));
    return seatName(leader, languageNumber) + QLatin1String(" - ") + QString::number(suit) + card;
}

} // namespace briqo
