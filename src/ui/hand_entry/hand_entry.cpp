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
    if (!m_board.fieldEnabled(index)) {
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
    if (!m_board.fieldEnabled(index)) {
        setBackColour(txtInvoer[index], White);
        setBackColour(picAchter[index], White);
        return false;
    }
    if (keyCode != KeyUp && keyCode != KeyDown)
        return false;

    auto enabled = [this](int i) { return m_board.fieldEnabled(i); };
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
    if (!m_board.fieldEnabled(index))
        return;
    if (keyAscii == KeyEnter) {
        keyAscii = 0;
        txtInvoer_KeyDown(index, KeyDown);
        return;
    }
    QLineEdit *field = txtInvoer[index];
    // Backspace over a selection is the field's own edit; the board hears of it as a change.
    if (keyAscii == KeyBackspace && field->hasSelectedText())
        return;
    const QChar typed(keyAscii);
    keyAscii = 0;
    const int before = field->cursorPosition();
    const BoardOutcome out = m_board.typeKey(index, typed, before);
    if (out.ignored)
        return;
    carryOut(out);
    if (!out.refused)
        moveCaretToEnd(field);
}

void frmBordix::txtInvoer_Change(int index)
{
    // A paste, a cut or Delete: the board takes the field's text as it now stands.
    carryOut(m_board.editField(index, txtInvoer[index]->text()));
    moveCaretToEnd(txtInvoer[index]);
}

void frmBordix::txtInvoer_LostFocus(int index)
{
    m_focusLeaving = true;
    carryOut(m_board.leaveField(index));
    m_focusLeaving = false;
    if (m_board.totalCards() == 0)
        paintFieldsWhite();
}

} // namespace briqo
