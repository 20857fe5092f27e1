#include "exchange/deal_text.h"

#include "base/string_table.h"

#include <QRegularExpression>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace briqo {

namespace {

// Highest first, the order every holding is written in.
const QString ExchangeRanks = QStringLiteral("AKQJT98765432");
const QString SuitLetters = QStringLiteral("SHDC");
const QString SeatLetters = QStringLiteral("NESW");
constexpr int CardsPerHand = 13;
constexpr int SuitCount = 4;

// The rank letter of a card text ("10" is the ten), upper case; a null QChar when there is none.
QChar rankOf(const QString &text)
{
    if (text == QLatin1String("10"))
        return QLatin1Char('T');
    if (text.size() != 1)
        return {};
    const QChar r = text[0].toUpper();
    return ExchangeRanks.contains(r) ? r : QChar();
}

// One suit holding as written in a file: rank letters, either case, "10" for the ten. Anything else
// makes the holding unreadable.
// The place of a rank letter in ExchangeRanks (either case), -1 for another character.
int exchangeRankIndex(QChar c)
{
    char16_t u = c.unicode();
    u = u >= u'a' && u <= u'z' ? char16_t(u - 32) : u < 128 ? u : char16_t(c.toUpper().unicode());
    switch (u) {
    case u'A':
        return 0;
    case u'K':
        return 1;
    case u'Q':
        return 2;
    case u'J':
        return 3;
    case u'T':
        return 4;
    default:
        break;
    }
    return u >= u'2' && u <= u'9' ? 5 + (u'9' - u) : -1;
}

// The ranks of a holding as bits (bit r for the rank at r in ExchangeRanks).
using RankMask = std::uint16_t;

// Every holding written highest first, by its ranks: made once, then shared by every deal read.
const QString &holdingOfMask(RankMask mask)
{
    static const std::vector<QString> holdings = [] {
        std::vector<QString> all(1 << CardsPerHand);
        for (unsigned m = 0; m < all.size(); ++m) {
            for (int rank = 0; rank < CardsPerHand; ++rank) {
                if (m & (1u << rank))
                    all[m] += ExchangeRanks[rank];
            }
        }
        return all;
    }();
    return holdings[mask];
}

// One suit holding as written in a file: rank letters, either case, "10" for the ten. Anything
// else makes the holding unreadable. A rank given twice is marked in repeated.
bool readHoldingMask(QStringView text, RankMask &mask, int &cards, bool &repeated)
{
    mask = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int rank;
        if (text[i] == QLatin1Char('1') && i + 1 < text.size() && text[i + 1] == QLatin1Char('0')) {
            rank = exchangeRankIndex(QLatin1Char('T'));
            ++i;
        } else {
            rank = exchangeRankIndex(text[i]);
            if (rank < 0)
                return false;
        }
        const RankMask bit = RankMask(1u << rank);
        repeated = repeated || (mask & bit);
        mask |= bit;
        ++cards;
    }
    return true;
}

std::optional<QString> readHolding(QStringView text)
{
    // Counted by rank and written highest first, as sortedHolding orders the English letters:
    // every deal of a large file passes here four times a hand.
    std::array<int, CardsPerHand> counts {};
    int cards = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('1') && i + 1 < text.size() && text[i + 1] == QLatin1Char('0')) {
            ++counts[exchangeRankIndex(QLatin1Char('T'))];
            ++cards;
            ++i;
            continue;
        }
        const int rank = exchangeRankIndex(text[i]);
        if (rank < 0)
            return std::nullopt;
        ++counts[rank];
        ++cards;
    }
    QString holding;
    holding.reserve(cards);
    for (int rank = 0; rank < CardsPerHand; ++rank) {
        for (int k = 0; k < counts[rank]; ++k)
            holding.append(ExchangeRanks[rank]);
    }
    return holding;
}

DealText finish(Holdings deal)
{
    completeFourthHand(deal);
    DealText result;
    result.recognised = true;
    if (isCompleteExchangeDeal(deal))
        result.deal = deal;
    return result;
}

} // namespace

std::optional<ExchangeCard> parseCard(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() < 2)
        return std::nullopt;
    const int suit = SuitLetters.indexOf(t[0].toUpper());
    const QChar rank = rankOf(t.mid(1));
    if (suit < 0 || rank.isNull())
        return std::nullopt;
    return ExchangeCard {suit, rank};
}

QString cardText(const ExchangeCard &card)
{
    if (card.suit < 0 || card.suit >= SuitCount)
        return {};
    return QString(SuitLetters[card.suit]) + card.rank;
}

int seatFromLetter(QChar c) { return int(SeatLetters.indexOf(c.toUpper())); }

QChar seatLetter(int seat) { return seat >= 0 && seat < 4 ? SeatLetters[seat] : QLatin1Char('?'); }

bool isCompleteExchangeDeal(const Holdings &deal)
{
    std::array<bool, 52> seen {};
    for (int seat = 0; seat < 4; ++seat) {
        int cards = 0;
        for (int suit = 0; suit < SuitCount; ++suit) {
            for (QChar c : deal[FieldOf(seat, suit)]) {
                const int rank = int(ExchangeRanks.indexOf(c));
                if (rank < 0)
                    return false;
                bool &card = seen[suit * CardsPerHand + rank];
                if (card)
                    return false;
                card = true;
                ++cards;
            }
        }
        if (cards != CardsPerHand)
            return false;
    }
    return true;
}

void completeFourthHand(Holdings &deal)
{
    int empty = -1;
    for (int seat = 0; seat < 4; ++seat) {
        int cards = 0;
        for (int suit = 0; suit < SuitCount; ++suit)
            cards += int(deal[FieldOf(seat, suit)].size());
        if (cards == 0) {
            if (empty >= 0)
                return;
            empty = seat;
        } else if (cards != CardsPerHand) {
            return;
        }
    }
    if (empty < 0)
        return;
    for (int suit = 0; suit < SuitCount; ++suit) {
        QString missing;
        for (QChar r : ExchangeRanks) {
            bool held = false;
            for (int seat = 0; seat < 4; ++seat)
                held = held || deal[FieldOf(seat, suit)].contains(r);
            if (!held)
                missing += r;
        }
        deal[FieldOf(empty, suit)] = missing;
    }
}

// The blanks of a deal's text: what Unicode calls a space, and the Mongolian vowel separator,
// which the standard's older tables still count as one.
bool isDealBlank(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return u == u' ' || (u >= u'\t' && u <= u'\r');
    return c.isSpace() || u == 0x180E;
}

DealText parsePbnDeal(const QString &text)
{
    // "N:hand hand hand hand": the first seat, a colon and four hands parted by blanks, with
    // blanks allowed around the colon and at either end. Read by hand: a large file has a
    // million of them.
    const QStringView t(text);
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < t.size() && isDealBlank(t[i]))
            ++i;
    };
    skipBlanks();
    if (i >= t.size() || !QStringView(u"NESWnesw").contains(t[i]))
        return {};
    const int first = seatFromLetter(t[i]);
    ++i;
    skipBlanks();
    if (i >= t.size() || t[i] != QLatin1Char(':'))
        return {};
    ++i;
    skipBlanks();
    std::array<QStringView, 4> hands;
    int count = 0;
    while (i < t.size()) {
        const qsizetype start = i;
        while (i < t.size() && !isDealBlank(t[i]))
            ++i;
        if (count == 4)
            return {};
        hands[count++] = t.sliced(start, i - start);
        skipBlanks();
    }
    if (count != 4)
        return {};
    // Read as rank bits: a deal is kept only when it is 52 different cards, 13 in each hand, and
    // then each holding is one of the shared texts, highest card first.
    std::array<RankMask, FieldCount> masks {};
    std::array<int, 4> cards {};
    bool repeated = false;
    for (int h = 0; h < 4; ++h) {
        const QStringView hand = hands[h];
        const int seat = (first + h) % 4;
        if (hand == u"-")
            continue;
        if (hand.count(QLatin1Char('.')) != SuitCount - 1)
            return {};
        qsizetype from = 0;
        for (int suit = 0; suit < SuitCount; ++suit) {
            qsizetype dot = hand.indexOf(QLatin1Char('.'), from);
            if (dot < 0)
                dot = hand.size();
            RankMask mask = 0;
            if (!readHoldingMask(hand.sliced(from, dot - from), mask, cards[seat], repeated)) {
                DealText unreadable;
                unreadable.recognised = true;
                return unreadable;
            }
            repeated = repeated || (masks[FieldOf(seat, suit)] & mask);
            masks[FieldOf(seat, suit)] |= mask;
            from = dot + 1;
        }
    }
    DealText result;
    result.recognised = true;
    // The fourth hand is filled when three are complete and it is empty (see completeFourthHand).
    int empty = -1;
    for (int seat = 0; seat < 4; ++seat) {
        if (cards[seat] == 0 && empty < 0) {
            empty = seat;
        } else if (cards[seat] != CardsPerHand) {
            empty = -2;
            break;
        }
    }
    constexpr RankMask AllRanks = (1u << CardsPerHand) - 1;
    if (empty >= 0) {
        for (int suit = 0; suit < SuitCount; ++suit) {
            RankMask held = 0;
            for (int seat = 0; seat < 4; ++seat)
                held |= masks[FieldOf(seat, suit)];
            masks[FieldOf(empty, suit)] = RankMask(AllRanks & ~held);
        }
        cards[empty] = 0;
        for (int suit = 0; suit < SuitCount; ++suit)
            cards[empty] += std::popcount(unsigned(masks[FieldOf(empty, suit)]));
    }
    if (repeated)
        return result;
    for (int suit = 0; suit < SuitCount; ++suit) {
        RankMask held = 0;
        for (int seat = 0; seat < 4; ++seat) {
            if (held & masks[FieldOf(seat, suit)])
                return result;
            held |= masks[FieldOf(seat, suit)];
        }
    }
    for (int seat = 0; seat < 4; ++seat) {
        if (cards[seat] != CardsPerHand)
            return result;
    }
    Holdings deal;
    for (int field = 0; field < FieldCount; ++field)
        deal[field] = holdingOfMask(masks[field]);
    result.deal = deal;
    return result;
}

QString formatPbnDeal(const Holdings &deal, int first)
{
    QStringList hands;
    for (int i = 0; i < 4; ++i) {
        const int seat = (first + i) % 4;
        QStringList suits;
        for (int suit = 0; suit < SuitCount; ++suit)
            suits << deal[FieldOf(seat, suit)];
        hands << suits.join(QLatin1Char('.'));
    }
    return QString(seatLetter(first)) + QLatin1Char(':') + hands.join(QLatin1Char(' '));
}

int linDealerDigit(int seat)
{
    // LIN counts from South: 1 South, 2 West, 3 North, 4 East.
    return (seat + 2) % 4 + 1;
}

int seatFromLinDigit(QChar c)
{
    if (c < QLatin1Char('1') || c > QLatin1Char('4'))
        return -1;
    return (c.unicode() - '1' + 2) % 4;
}

DealText parseLinDeal(const QString &text, int *dealer)
{
    QString t = text.trimmed();
    static const QRegularExpression prefix(
        QStringLiteral("(?:^|\\|)md\\|([^|]*)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = prefix.match(t);
    if (m.hasMatch())
        t = m.captured(1).trimmed();
    else if (t.endsWith(QLatin1Char('|')))
        t.chop(1);
    // The dealer digit is optional; the hands follow as "S..H..D..C..", South first.
    int first = -1;
    if (!t.isEmpty() && t[0].isDigit()) {
        first = seatFromLinDigit(t[0]);
        if (first < 0)
            return {};
        t = t.mid(1);
    }
    const QStringList hands = t.split(QLatin1Char(','));
    if (hands.size() < 3 || hands.size() > 4)
        return {};
    static const QRegularExpression handShape(QStringLiteral("^\\s*(?:[SHDCshdc][0-9AKQJTakqjt]*)*\\s*$"));
    for (const QString &hand : hands) {
        if (!handShape.match(hand).hasMatch())
            return {};
    }
    if (dealer)
        *dealer = first;
    Holdings deal;
    for (int i = 0; i < hands.size(); ++i) {
        const int seat = (i + 2) % 4; // South, West, North, East
        const QString hand = hands[i].trimmed();
        int suit = -1;
        QString ranks;
        auto flush = [&] {
            if (suit < 0)
                return true;
            const std::optional<QString> holding = readHolding(ranks);
            if (!holding)
                return false;
            deal[FieldOf(seat, suit)] += *holding;
            deal[FieldOf(seat, suit)] = sortedHolding(deal[FieldOf(seat, suit)], LanguageEnglish);
            return true;
        };
        for (QChar c : hand) {
            const int s = int(SuitLetters.indexOf(c.toUpper()));
            if (s >= 0) {
                if (!flush())
                    return DealText {true, std::nullopt};
                suit = s;
                ranks.clear();
            } else {
                ranks += c;
            }
        }
        if (!flush())
            return DealText {true, std::nullopt};
    }
    return finish(deal);
}

QString formatLinDeal(const Holdings &deal, int dealer)
{
    QStringList hands;
    for (int i = 0; i < 4; ++i) {
        const int seat = (i + 2) % 4;
        QString hand;
        for (int suit = 0; suit < SuitCount; ++suit)
            hand += SuitLetters[suit] + deal[FieldOf(seat, suit)];
        hands << hand;
    }
    return QString::number(linDealerDigit(dealer)) + hands.join(QLatin1Char(','));
}

// A holding in exchange letters that is already as sortedHolding leaves it: rank letters only,
// each lower than the one before. Each letter then becomes the language's letter in place.
bool isOrderedExchangeHolding(const QString &holding)
{
    int before = -1;
    for (const QChar c : holding) {
        const int rank = c.unicode() < 128 ? exchangeRankIndex(c) : -1;
        if (rank <= before || c.isLower())
            return false;
        before = rank;
    }
    return true;
}

Holdings dealInLanguage(const Holdings &deal, int languageNumber)
{
    const QString english = RankAlphabet(LanguageEnglish);
    const QString target = RankAlphabet(languageNumber);
    Holdings out;
    for (int field = 0; field < FieldCount; ++field) {
        // The deals a file gives are ordered so (a large file has a million of them): letter by
        // letter, which keeps the order, as both alphabets list the ranks alike.
        if (isOrderedExchangeHolding(deal[field])) {
            QString holding(deal[field].size(), Qt::Uninitialized);
            for (qsizetype i = 0; i < holding.size(); ++i)
                holding[i] = target[english.indexOf(deal[field][i])];
            out[field] = holding;
            continue;
        }
        QString holding;
        for (QChar c : tensAsT(deal[field])) {
            const qsizetype i = english.indexOf(c.toUpper());
            if (i >= 0)
                holding += target[i];
        }
        out[field] = sortedHolding(holding, languageNumber);
    }
    return out;
}

Holdings dealFromLanguage(const Holdings &deal, int languageNumber)
{
    const QString english = RankAlphabet(LanguageEnglish);
    const QString source = RankAlphabet(languageNumber);
    Holdings out;
    for (int field = 0; field < FieldCount; ++field) {
        QString holding;
        for (QChar c : tensAsT(deal[field])) {
            const qsizetype i = source.indexOf(c.toUpper());
            if (i >= 0)
                holding += english[i];
        }
        out[field] = sortedHolding(holding, LanguageEnglish);
    }
    return out;
}

} // namespace briqo
