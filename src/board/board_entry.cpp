// Typing the four hands into the board: the key checks and their refusals, the fourth hand, the
// display options.

#include "board/board.h"

#include "deal/hand_rules.h"
#include "base/string_ids.h"

#include <algorithm>

namespace briqo {

namespace {

constexpr QChar Backspace(8);
constexpr QChar Enter(13);

} // namespace

QString Board::displayed(const QString &holding) const { return m_tenAs10 ? tensAs10(holding) : holding; }

QString Board::fieldText(int field) const
{
    if (field < 0 || field >= FieldCount || !handShown(SeatOfField(field)))
        return {};
    return displayed(m_text[field]);
}

bool Board::fieldEnabled(int field) const
{
    if (field < 0 || field >= FieldCount || !m_offers.entryOpen)
        return false;
    const int seat = SeatOfField(field);
    // A hidden hand keeps its cards: its empty fields take none.
    if (!handShown(seat))
        return false;
    return !m_leadMode || m_leadModeSeat < 0 || m_leadModeSeat == seat;
}

int Board::totalCards() const { return briqo::totalCards(m_text); }

bool Board::dealComplete() const { return isValidCompleteDeal(m_text, m_language); }

int Board::nextField(int field, bool down) const
{
    int next = field;
    for (int steps = 0; steps < FieldCount; ++steps) {
        next = (next + (down ? 1 : FieldCount - 1)) % FieldCount;
        if (fieldEnabled(next))
            return next;
    }
    return field;
}

BoardOutcome Board::typeKey(int field, QChar key, int caret)
{
    BoardOutcome out;
    if (!fieldEnabled(field)) {
        out.ignored = true;
        return out;
    }
    if (key == Enter) {
        out.refused = true;
        out.focusOn(nextField(field, true));
        return out;
    }
    const QString shown = fieldText(field);
    if (caret < 0 || caret > shown.size())
        caret = int(shown.size());
    if (key == Backspace) {
        if (caret == 0)
            return out;
        return editField(field, QString(shown).remove(caret - 1, 1));
    }
    if (!AcceptedCardChars(m_language).contains(key)) {
        out.refused = true;
        return out;
    }
    const QChar c = key.toUpper();
    const int seat = SeatOfField(field);
    switch (checkCardKey(m_text, field, c)) {
    case CardKeyVerdict::AlreadyThere:
        out.refused = true;
        return out;
    case CardKeyVerdict::HandFull:
        out.refused = true;
        out.messages << BoardMessage {Str::HasThirteenCards, {{QLatin1Char('~'), SeatName(seat, m_language)}}};
        return out;
    case CardKeyVerdict::HeldElsewhere:
        out.refused = true;
        out.messages << BoardMessage {Str::CardUsedTwice,
            {{QLatin1Char('~'), CardName(c, m_language)},
                {QLatin1Char('#'), SuitName(SuitOfField(field), m_language)}}};
        return out;
    case CardKeyVerdict::Accept:
        break;
    }
    return editField(field, QString(shown).insert(caret, c));
}

BoardOutcome Board::editField(int field, const QString &text)
{
    BoardOutcome out;
    if (!fieldEnabled(field)) {
        out.ignored = true;
        return out;
    }
    // Hand edits leave the unsaved-calls flag alone: clearing it would let a changed board go
    // without the question about saving it.
    m_text[field] = tensAsT(text.toUpper());
    afterFieldChange(out);
    return out;
}

void Board::afterFieldChange(BoardOutcome &out)
{
    bool anyShown = false;
    for (int f = 0; f < FieldCount; ++f)
        anyShown = anyShown || !fieldText(f).isEmpty();
    // Typing a deal closes the box until the deal is complete.
    if (anyShown)
        m_offers.biddingBox = false;
    m_offers.deleteButtons = !anyShown;

    if (dealComplete()) {
        enableCompleteDeal();
        return;
    }
    showIncompleteDeal();
    // Only a paste can bring 52 cards that are not a deal; it is said when it happens.
    if (totalCards() == 52)
        out.messages << BoardMessage {own::DealNotValid, {}};
}

BoardOutcome Board::leaveField(int field)
{
    BoardOutcome out;
    if (field < 0 || field >= FieldCount || !m_offers.entryOpen || !handShown(SeatOfField(field))) {
        out.ignored = true;
        return out;
    }
    // Sorting on leaving is what keeps every holding in descending order; nothing sorts while typing.
    m_text[field] = sortedHolding(m_text[field], m_language);

    const std::optional<int> empty = seatToComplete(m_text);
    if (!empty)
        return out;
    const int seat = *empty;
    const Holdings before = m_text;
    for (int suit = 0; suit < 4; ++suit)
        m_text[FieldOf(seat, suit)] = missingCards(before, seat, suit, m_language);
    out.focusOn(seat == North ? 3 : 0);
    if (dealComplete()) {
        out.messages << BoardMessage {Str::GameReady, {}};
        enableCompleteDeal();
    } else {
        out.messages << BoardMessage {own::DealNotValid, {}};
    }
    return out;
}

BoardOutcome Board::setDeal(const Holdings &holdings)
{
    BoardOutcome out;
    if (!isGame()) {
        out.ignored = true;
        return out;
    }
    Holdings deal;
    for (int field = 0; field < FieldCount; ++field)
        deal[field] = sortedHolding(tensAsT(holdings[field]).toUpper(), m_language);
    if (!isValidCompleteDeal(deal, m_language)) {
        out.refused = true;
        out.messages << BoardMessage {own::DealNotValid, {}};
        return out;
    }
    // The board is ready as after the last card of a typed deal.
    m_text = deal;
    m_offers.entryOpen = true;
    enableCompleteDeal();
    out.focus = Focus::Sink;
    return out;
}

// Hands sorted after the auction, as after hand entry.
void Board::normaliseHands(BoardOutcome &out)
{
    if (totalCards() == 52)
        for (QString &holding : m_text)
            holding = sortedHolding(holding, m_language);
    if (fieldEnabled(0))
        out.focusOn(0);
    else
        out.focus = Focus::Sink;
}

BoardOutcome Board::setTenAs10(bool on)
{
    BoardOutcome out;
    m_tenAs10 = on;
    out.focus = Focus::Sink;
    return out;
}

BoardOutcome Board::setPointsVisible(bool on)
{
    BoardOutcome out;
    m_pointsVisible = on;
    out.focus = Focus::Sink;
    return out;
}

BoardOutcome Board::setSeatHidden(int seat, bool hidden)
{
    BoardOutcome out;
    if (seat < 0 || seat >= SeatCount) {
        out.ignored = true;
        return out;
    }
    // Hiding a hand does not make the deal incomplete: the board keeps its cards.
    m_hidden[seat] = hidden;
    out.focus = Focus::Sink;
    return out;
}

} // namespace briqo
