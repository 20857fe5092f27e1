// Typing the four hands: the key filter, the refusals, moving between fields, sorting on leaving,
// completing the fourth hand, and the counts and points of the summary grid.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/hand_rules.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace briqo {

namespace {

constexpr int KeyUp = 38;
constexpr int KeyDown = 40;
constexpr int KeyBackspace = 8;
constexpr int KeyEnter = 13;

} // namespace

Holdings frmBordix::holdings() const
{
    Holdings deal;
    for (int i = 0; i < FieldCount; ++i)
        deal[i] = txtInvoer[i]->text();
    return deal;
}

void frmBordix::Sorteer(int field)
{
    const QString sorted = sortedHolding(txtInvoer[field]->text(), LanguageNumber);
    writeHolding(txtInvoer[field], sorted);
}

void frmBordix::paintFieldsWhite()
{
    for (int i = 0; i < FieldCount; ++i) {
        setBackColour(txtInvoer[i], White);
        setBackColour(picAchter[i], White);
    }
}

void frmBordix::moveCaretToEnd(QLineEdit *field)
{
    if (sendKeys) {
        sendKeys(QStringLiteral("{END}"));
        QCoreApplication::processEvents();
    } else {
        field->end(false);
    }
}

void frmBordix::txtInvoer_GotFocus(int index)
{
    if (!txtInvoer[index]->isEnabled()) {
        setBackColour(txtInvoer[index], White);
        setBackColour(picAchter[index], White);
        return;
    }
    for (int i = 0; i < FieldCount; ++i) {
        const unsigned colour = (i == index && picAchter[i]->isEnabled()) ? FocusBlue : White;
        setBackColour(txtInvoer[i], colour);
        setBackColour(picAchter[i], colour);
    }
    picAlles->showSeatInBold(SeatOfField(index));
}

bool frmBordix::txtInvoer_KeyDown(int index, int keyCode)
{
    if (!txtInvoer[index]->isEnabled()) {
        setBackColour(txtInvoer[index], White);
        setBackColour(picAchter[index], White);
        return false;
    }
    if (keyCode != KeyUp && keyCode != KeyDown)
        return false;

    auto enabled = [this](int i) { return txtInvoer[i]->isEnabled(); };
    int next = index;
    for (int steps = 0; steps < FieldCount; ++steps) {
        if (keyCode == KeyUp) {
            if (--next < 0) {
                next = 15;
                if (!enabled(15)) {
                    next = 14;
                    break;
                }
            }
        } else if (++next > 15) {
            next = 0;
            if (!enabled(0)) {
                next = 1;
                break;
            }
        }
        if (enabled(next))
            break;
    }
    SetFocusIfPossible(txtInvoer[next]);
    moveCaretToEnd(txtInvoer[next]);
    return true;
}

void frmBordix::txtInvoer_KeyPress(int index, int &keyAscii)
{
    if (!txtInvoer[index]->isEnabled())
        return;
    const QChar typed(keyAscii);
    if (keyAscii != KeyBackspace && keyAscii != KeyEnter && !AcceptedCardChars(LanguageNumber).contains(typed)) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == KeyEnter) {
        keyAscii = 0;
        txtInvoer_KeyDown(index, KeyDown);
        return;
    }
    const QChar c = typed.toUpper();
    const Holdings deal = holdings();
    const int seat = SeatOfField(index);
    if (keyAscii != KeyBackspace && tensAsT(deal[index]).contains(c)) {
        keyAscii = 0;
        return;
    }
    setCountCellColour(seat, CardCount(deal, seat) >= 13 ? Green : White);
    if (keyAscii == KeyBackspace)
        return;

    switch (checkCardKey(deal, index, c)) {
    case CardKeyVerdict::HandFull:
        keyAscii = 0;
        showInfo(fillPlaceholder(ResString(Str::HasThirteenCards), QLatin1Char('~'), SeatName(seat, LanguageNumber)));
        break;
    case CardKeyVerdict::HeldElsewhere: {
        keyAscii = 0;
        QString text = fillPlaceholder(ResString(Str::CardUsedTwice), QLatin1Char('~'), CardName(c, LanguageNumber));
        showInfo(fillPlaceholder(text, QLatin1Char('#'), SuitName(SuitOfField(index), LanguageNumber)));
        break;
    }
    case CardKeyVerdict::AlreadyThere:
        keyAscii = 0;
        break;
    case CardKeyVerdict::Accept:
        break;
    }
}

void frmBordix::txtInvoer_Change(int index)
{
    if (!txtInvoer[index]->isEnabled())
        return;
    // Hand edits leave the unsaved-calls flag alone: clearing it here would let a changed board go
    // without the question about saving it.

    QLineEdit *field = txtInvoer[index];
    const QString upper = field->text().toUpper();
    if (upper != field->text()) {
        const int caret = field->cursorPosition();
        field->setText(upper);
        field->setCursorPosition(caret);
    }
    moveCaretToEnd(field);

    const Holdings deal = holdings();
    const bool anyCards = std::any_of(deal.begin(), deal.end(), [](const QString &h) { return !h.isEmpty(); });
    if (anyCards) {
        picBBA[BoxButton::DeleteLast]->setEnabled(false);
        picBBA[BoxButton::DeleteAll]->setEnabled(false);
        picBiedBox->setEnabled(false);
    } else {
        picBBA[BoxButton::DeleteLast]->setEnabled(true);
        picBBA[BoxButton::DeleteAll]->setEnabled(true);
    }

    if (chkTien->isChecked()) {
        for (QLineEdit *f : txtInvoer)
            if (f->text().contains(QLatin1Char('T')))
                writeHolding(f, tensAs10(f->text()));
    }

    const int total = totalCards(deal);
    if (total == 52 && isValidCompleteDeal(deal, LanguageNumber)) {
        EnableCompleteDeal();
    } else {
        showIncompleteDeal();
        // Only a paste can bring 52 cards that are not a deal; it is said once, when it happens.
        if (total == 52)
            showInfo(ResString(own::DealNotValid));
    }
    ShowCountsAndPoints();
}

void frmBordix::ShowCountsAndPoints() { picAlles->showCountsAndPoints(holdings()); }

void frmBordix::setCountCellColour(int seat, unsigned colour) { picAlles->setCountCellColour(seat, colour); }

void frmBordix::RefreshCountColours() { picAlles->refreshCountColours(); }

void frmBordix::rebuildHandLists()
{
    for (int seat = 0; seat < 4; ++seat) {
        lstHand[seat].clear();
        for (int suit = 0; suit < 4; ++suit)
            lstHand[seat] << txtInvoer[FieldOf(seat, suit)]->text();
    }
}

void frmBordix::txtInvoer_LostFocus(int index)
{
    Sorteer(index);

    Holdings deal = holdings();
    for (int seat = 0; seat < 4; ++seat)
        setCountCellColour(seat, CardCount(deal, seat) == 13 ? Green : White);

    if (const std::optional<int> empty = seatToComplete(deal)) {
        const int seat = *empty;
        for (int suit = 0; suit < 4; ++suit) {
            const int field = FieldOf(seat, suit);
            writeHolding(txtInvoer[field], missingCards(deal, seat, suit, LanguageNumber));
        }
        // The focus moves once the field that is being left has let it go.
        QLineEdit *next = txtInvoer[seat == North ? 3 : 0];
        QTimer::singleShot(0, this, [this, next] { SetFocusIfPossible(next); });
        ShowCountsAndPoints();
        setCountCellColour(seat, Green);
        msfgOverzicht->item(seat + 1, 1)->setText(QStringLiteral("13"));
        if (isValidCompleteDeal(holdings(), LanguageNumber)) {
            showInfo(ResString(Str::GameReady));
            EnableCompleteDeal();
        } else {
            showInfo(ResString(own::DealNotValid));
        }
    }

    deal = holdings();
    if (std::all_of(deal.begin(), deal.end(), [](const QString &h) { return h.isEmpty(); }))
        paintFieldsWhite();
}

} // namespace briqo
