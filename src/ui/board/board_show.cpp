// The board value on screen: every text, picture and colour of the board comes from it, so the
// board shows the same whichever way it got where it is.

#include "ui/board/board_view.h"

#include "board/board.h"
#include "deal/hand_rules.h"
#include "qa/qa_text.h"
#include "resources/pictures.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace briqo {

void BoardView::show(const Board &board)
{
    // The field keeps what the user typed ("007", "0") as long as it means the board's number.
    const QString number = board.gameNumberText();
    if (number.isEmpty() ? !txtSpel->text().isEmpty() : leadingNumber(txtSpel->text()) != board.currentGameNumber()
            || txtSpel->text().isEmpty()) {
        const QSignalBlocker quiet(txtSpel);
        txtSpel->setText(number);
    }
    if (board.isGame()) {
        showDealerAndVulnerability(board.currentGameNumber());
    } else {
        hideDealerAndVulnerability();
        lblInfo[1]->setText(ResString(Str::DealerCaption, m_languageNumber));
        lblInfo[2]->setText(ResString(Str::VulnerableCaption, m_languageNumber));
    }

    showAuctionCells(board.auction());
    // Every control goes straight to what it shows: nothing is hidden to be shown again.
    if (board.contract().kind == ContractDisplay::None) {
        for (int i : {3, 4}) {
            lblVulin[i]->clear();
            lblVulin[i]->hide();
        }
        setPicture(picEind, 0);
        picEind->hide();
    } else {
        showContract(board.auction());
    }
    const QList<int> hiddenRows = board.hiddenRowNumbers();
    for (int row = 0; row < int(lblNum.size()); ++row)
        lblNum[row]->setVisible(!hiddenRows.contains(row));

    if (const std::optional<LeadDisplay> &lead = board.lead())
        showLeadLine(lead->leaderName, lead->suit, board.leadCardShown());
    else
        clearLeadLine();
    showLeadBox(board);

    for (int field = 0; field < FieldCount; ++field)
        if (txtInvoer[field]->text() != board.fieldText(field))
            writeHolding(txtInvoer[field], board.fieldText(field));
    showCountsAndPoints(board.holdings());
    refreshCountColours();
    for (int seat = 0; seat < 4; ++seat)
        lblPunten[seat]->setVisible(board.pointsVisible() && board.handShown(seat));

    showQuestionBox(board.question());
}

void BoardView::showLeadBox(const Board &board)
{
    const bool deletes = board.leadBoxDeletes();
    const QSignalBlocker quiet(chkUitKomst);
    chkUitKomst->setChecked(board.leadMode());
    chkUitKomst->setText(ResString(deletes ? Str::DeleteLead : Str::GiveLead, m_languageNumber));
    chkUitKomst->adjustSize();
    setLeftTw(chkUitKomst, InfoValueLeft);
    // With a lead on show the box stands below it; otherwise where the lead line would be.
    if (deletes && board.lead())
        setTopTw(chkUitKomst, topTw(lblVulin[5]) + heightTw(lblVulin[5]) + 32);
    else
        setTopTw(chkUitKomst, topTw(lblVulin[5]));
    chkUitKomst->setVisible(board.offers().leadBox);
}

void BoardView::showQuestionBox(const QString &question)
{
    const QString shown = boxTextOfStored(question);
    if (txtVraag->toPlainText() != shown)
        txtVraag->setPlainText(shown);
    if (shown.trimmed().isEmpty()) {
        txtVraag->hide();
        return;
    }
    // Where the picture's relayout puts it: borderless, below South's hand.
    txtVraag->setFrameShape(QFrame::NoFrame);
    setLeftTw(txtVraag, 0);
    setTopTw(txtVraag, topTw(picAchter[11]) + heightTw(picAchter[11]) + 120);
    txtVraag->show();
}

} // namespace briqo
