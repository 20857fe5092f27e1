// Showing the parts of a game on the board: dealer and vulnerability, auction, contract, lead,
// counts and points; and the compact stacking the picture uses.

#include "ui/board/board_view.h"

#include "auction/final_contract.h"
#include "deal/hand_evaluation.h"
#include "resources/pictures.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace briqo {

namespace {

// The picture of a strain in the grid and the contract: the small suit symbols, and "SA" or
// "NT" for no trump.
int strainPicture(int strain, int languageNumber)
{
    if (strain >= 0 && strain <= 3)
        return 106 + strain;
    if (strain == 4)
        return languageNumber == LanguageEnglish ? 111 : 110;
    return 0;
}

} // namespace

void BoardView::placeInfoValues()
{
    double widest = 0;
    for (QLabel *info : lblInfo) {
        info->adjustSize();
        widest = std::max(widest, widthTw(info));
    }
    InfoValueLeft = leftTw(lblInfo[0]) + widest + 64;
    for (int i = 0; i <= 5; ++i) {
        setLeftTw(lblVulin[i], InfoValueLeft);
        setTopTw(lblVulin[i], topTw(lblInfo[i]));
    }
    setLeftTw(chkUitKomst, InfoValueLeft);
    setTopTw(chkUitKomst, topTw(lblInfo[5]) - 32);
    chkUitKomst->hide();
}

void BoardView::showDealerAndVulnerability(long long n)
{
    lblVulin[2]->setText(VulnerabilityName(VulnerabilityOf(n), m_languageNumber));
    lblVulin[1]->setText(SeatName(DealerOf(n), m_languageNumber));
    for (int i : {1, 2}) {
        lblVulin[i]->adjustSize();
        lblVulin[i]->show();
    }
}

void BoardView::hideDealerAndVulnerability()
{
    for (int i : {1, 2}) {
        lblVulin[i]->hide();
        lblVulin[i]->clear();
    }
}

void BoardView::clearAuctionCells()
{
    for (int seat = 0; seat < 4; ++seat)
        for (int row = 0; row < 9; ++row) {
            lblB[seat][row]->hide();
            lblB[seat][row]->clear();
            picB[seat][row]->hide();
            setPicture(picB[seat][row], 0);
            lblA[seat][row]->hide();
            lblA[seat][row]->clear();
        }
}

void BoardView::showAuctionCells(const AuctionModel &auction)
{
    for (int seat = 0; seat < 4; ++seat)
        for (int row = 0; row < 9; ++row) {
            const AuctionCell &cell = auction.cell(row, seat);
            QLabel *call = lblB[seat][row];
            // A hidden cell's size is never used, so only a cell that shows is fitted to its text
            // (fitting costs a text layout, and most cells of an auction are empty).
            call->setText(cell.caption);
            if (cell.callVisible)
                call->adjustSize();
            call->setVisible(cell.callVisible);
            QLabel *strain = picB[seat][row];
            const bool bid = cell.pictureVisible && !cell.code.isEmpty() && cellNumber(cell.code) < 5;
            setPicture(strain, bid ? strainPicture(cellNumber(cell.code), m_languageNumber) : 0);
            strain->setVisible(bid);
            QLabel *note = lblA[seat][row];
            note->setText(cell.note);
            if (cell.noteVisible) {
                note->adjustSize();
                // A note stands 32 twips right of the picture of its bid.
                setLeftTw(note, leftTw(strain) + widthTw(strain) + 32);
            }
            note->setVisible(cell.noteVisible);
        }
}

void BoardView::showContract(const AuctionModel &auction)
{
    const std::optional<FinalContract> contract = finalContract(auction);
    if (!contract) {
        lblVulin[3]->setText(ResString(Str::Pass, m_languageNumber));
        lblVulin[3]->adjustSize();
        lblVulin[3]->show();
        picEind->hide();
        return;
    }
    lblVulin[3]->setText(QString::number(contract->level));
    lblVulin[3]->adjustSize();
    lblVulin[3]->show();
    setLeftTw(picEind, leftTw(lblVulin[3]) + widthTw(lblVulin[3]) + 32);
    setTopTw(picEind, topTw(lblVulin[3]) + 16);

    for (int row : hiddenRowNumbers(auction))
        lblNum[row]->hide();
    if (const std::optional<int> bottom = auctionBottom(auction))
        AuctionBottom = *bottom;

    setPicture(picEind, strainPicture(contract->strain, m_languageNumber));
    picEind->show();

    lblVulin[4]->setText(SeatName(contract->declarer, m_languageNumber));
    lblVulin[4]->adjustSize();
    lblVulin[4]->show();
}

void BoardView::showLeadLine(const QString &leaderName, int suit, const QString &cardText)
{
    lblVulin[5]->setText(leaderName + QStringLiteral(" - "));
    lblVulin[5]->adjustSize();
    setPicture(picUit, 109 - suit);
    picUit->resize(picUit->pixmap().size());
    setLeadCard(cardText);
    lblVulin[5]->show();
    picUit->show();
    lblVulin[6]->show();
}

void BoardView::setLeadCard(const QString &cardText)
{
    lblVulin[6]->setText(cardText);
    lblVulin[6]->adjustSize();
    const double right5 = leftTw(lblVulin[5]) + widthTw(lblVulin[5]);
    const double top = topTw(lblVulin[5]) + 16;
    // Dutch reads "West - [heart] Vrouw", English "West - Queen [heart]": a wider card moves the
    // English symbol along.
    if (m_languageNumber == LanguageDutch) {
        setLeftTw(picUit, right5);
        setTopTw(picUit, top);
        setLeftTw(lblVulin[6], leftTw(picUit) + widthTw(picUit) + 64);
    } else {
        setLeftTw(lblVulin[6], right5);
        setTopTw(lblVulin[6], top);
        setLeftTw(picUit, leftTw(lblVulin[6]) + widthTw(lblVulin[6]) + 64);
        setTopTw(picUit, top);
    }
}

void BoardView::clearLeadLine()
{
    for (int i : {5, 6}) {
        lblVulin[i]->hide();
        lblVulin[i]->clear();
    }
    setPicture(picUit, 0);
    picUit->hide();
}

void BoardView::placeLeadBox(const QString &caption, double belowLeadBy)
{
    chkUitKomst->setText(caption);
    chkUitKomst->adjustSize();
    setLeftTw(chkUitKomst, leftTw(lblVulin[5]));
    setTopTw(
        chkUitKomst, belowLeadBy < 0 ? topTw(lblVulin[5]) : topTw(lblVulin[5]) + heightTw(lblVulin[5]) + belowLeadBy);
}

void BoardView::showCountsAndPoints(const Holdings &deal)
{
    for (int seat = 0; seat < 4; ++seat) {
        const int points = handHcp(handFromDeal(deal, seat, m_languageNumber));
        msfgOverzicht->item(seat + 1, 1)->setText(QString::number(CardCount(deal, seat)));
        msfgOverzicht->item(seat + 1, 2)->setText(QString::number(points));
        lblPunten[seat]->setText(QLatin1Char('(') + QString::number(points) + QLatin1Char(')'));
    }
}

void BoardView::setCountCellColour(int seat, unsigned colour)
{
    msfgOverzicht->item(seat + 1, 1)->setBackground(bgr(colour));
}

void BoardView::refreshCountColours()
{
    for (int seat = 0; seat < 4; ++seat) {
        setCountCellColour(seat, msfgOverzicht->item(seat + 1, 1)->text().toInt() > 12 ? Green : White);
        msfgOverzicht->item(seat + 1, 2)->setForeground(bgr(Red));
    }
}

void BoardView::VerplaatsObjecten()
{
    const double bottom = topTw(fraBieding) + heightTw(fraBieding);
    auto placeRow = [this](int field, double top) {
        setTopTw(picSymbool[field], top);
        setTopTw(picAchter[field], top);
    };
    auto nextInHand = [this](int field) { return topTw(picSymbool[field]) + heightTw(picSymbool[field]) - 30; };
    auto nextHand = [this](int field) { return topTw(picSymbool[field]) + heightTw(picSymbool[field]); };

    placeRow(0, bottom + 15);
    for (int f = 1; f <= 3; ++f)
        placeRow(f, nextInHand(f - 1));
    placeRow(4, nextHand(3));
    for (int f = 5; f <= 7; ++f)
        placeRow(f, nextInHand(f - 1));
    placeRow(8, nextHand(7));
    for (int f = 9; f <= 11; ++f)
        placeRow(f, nextInHand(f - 1));
    for (int f = 12; f <= 15; ++f)
        placeRow(f, topTw(picSymbool[f - 8]));

    setTopTw(lblWind[0], topTw(picSymbool[3]) + 720);
    setTopTw(lblPunten[0], topTw(lblWind[0]) + heightTw(lblWind[0]) + 30);
    setTopTw(lblWind[1], topTw(lblWind[0]) + 750);
    setTopTw(lblPunten[1], topTw(lblWind[1]) + 30);
    setTopTw(lblWind[2], topTw(lblWind[0]) + 1440);
    setTopTw(lblPunten[2], topTw(lblWind[2]) - 240);
    setTopTw(lblWind[3], topTw(lblWind[1]));
    setTopTw(lblPunten[3], topTw(lblPunten[1]));

    if (!txtVraag->toPlainText().trimmed().isEmpty()) {
        txtVraag->setFrameShape(QFrame::NoFrame);
        setLeftTw(txtVraag, 0);
        setTopTw(txtVraag, topTw(picAchter[11]) + heightTw(picAchter[11]) + 120);
        txtVraag->show();
    }
}

} // namespace briqo
