// The captions of the board, and a stored game shown on it.

#include "ui/board/board_view.h"

#include "ui/board/double_dummy_block.h"
#include "qa/qa_text.h"
#include "resources/pictures.h"
#include "ui/common/grid_fit.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "store/game.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace briqo {

void writeHolding(QLineEdit *field, const QString &text)
{
    constexpr int TypingLimit = 13;
    field->setMaxLength(std::max<int>(TypingLimit, static_cast<int>(text.size())));
    field->setText(text);
}

void BoardView::setUpCaptions(int languageNumber, int year)
{
    m_languageNumber = languageNumber;
    auto text = [languageNumber](int n) { return ResString(n, languageNumber); };

    setWidthTw(txtVraag, widthTw(this));
    txtVraag->raise();

    // Summary grid: cards and points per seat, fitted to its texts, no scroll area.
    msfgOverzicht->item(0, 1)->setText(text(Str::Cards));
    msfgOverzicht->item(0, 2)->setText(text(Str::Points));
    msfgOverzicht->item(0, 2)->setForeground(bgr(Red));
    for (int seat = 0; seat < 4; ++seat)
        msfgOverzicht->item(seat + 1, 0)->setText(text(Str::North + seat));
    const int gridWidth = PasKolommenAan(msfgOverzicht, msfgOverzicht->font());
    msfgOverzicht->resize(gridWidth + 2, totalRowHeight(msfgOverzicht) + 2);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            msfgOverzicht->item(r, c)->setTextAlignment(Qt::AlignCenter);
    for (int r = 1; r <= 4; ++r) {
        msfgOverzicht->item(r, 2)->setText(QStringLiteral("0"));
        msfgOverzicht->item(r, 2)->setForeground(bgr(Red));
        msfgOverzicht->item(r, 1)->setText(QStringLiteral("0"));
    }
    // Its right edge on the right edge of East's clubs field, just below it.
    setLeftTw(msfgOverzicht, leftTw(picAchter[7]) + widthTw(picAchter[7]) - widthTw(msfgOverzicht));
    setTopTw(msfgOverzicht, topTw(picAchter[7]) + heightTw(picAchter[7]) + 96);

    // The question button under the grid, its bottom on the bottom of South's clubs field.
    setLeftTw(cmdVraagAntwoord, leftTw(msfgOverzicht));
    setWidthTw(cmdVraagAntwoord, widthTw(msfgOverzicht));
    setTopTw(cmdVraagAntwoord, topTw(picAchter[11]) + heightTw(picAchter[11]) - heightTw(cmdVraagAntwoord));

    for (int i = 0; i < FieldCount; ++i)
        setPicture(picSymbool[i], 101 + i % 4);

    lblInfo[0]->setText(text(Str::Game));
    lblInfo[1]->setText(text(Str::DealerCaption));
    lblInfo[2]->setText(text(Str::VulnerableCaption));
    lblInfo[3]->setText(text(Str::Contract) + QLatin1Char(':'));
    lblInfo[4]->setText(text(Str::Declarer) + QLatin1Char(':'));
    lblInfo[5]->setText(text(Str::Lead) + QLatin1Char(':'));
    chkUitKomst->setText(text(Str::GiveLead));
    placeInfoValues();

    lblDeMaker->setText(text(Str::Maker));
    for (int seat = 0; seat < 4; ++seat) {
        lblBieding[seat]->setText(text(Str::North + seat));
        lblWind[seat]->setText(text(Str::North + seat));
        lblWind[seat]->adjustSize();
    }
    for (QLabel *note : lblMakerNote) {
        note->setText(text(Str::MakerNotice).replace(QStringLiteral("2020"), QString::number(year)));
        note->adjustSize();
    }
    cmdVraagAntwoord->setText(text(Str::QuestionAndAnswer));

    for (int i = 0; i < FieldCount; ++i) {
        txtInvoer[i]->setEnabled(false);
        txtInvoer[i]->setMaxLength(13);
        setForeColour(txtInvoer[i], (i % 4 == 1 || i % 4 == 2) ? SuitRed : 0);
        picAchter[i]->setFocusPolicy(Qt::NoFocus);
    }
    clearAuctionCells();
}

void BoardView::showGame(const Game &game, const BoardOptions &options)
{
    const long long n = game.number;
    txtSpel->setText(QString::number(n));
    if (n > 0 && n < 1000)
        showDealerAndVulnerability(n);
    else
        hideDealerAndVulnerability();

    AuctionModel auction;
    auction.resetForGame(DealerOf(n));
    if (game.auction)
        auction.loadFrom(
            game.auction->callKinds, QList<FileCell>(game.auction->cells.begin(), game.auction->cells.end()));
    showAuctionCells(auction);
    for (QLabel *number : lblNum)
        number->show();
    if (auction.CallKinds().endsWith(QLatin1String("222")))
        showContract(auction);

    clearLeadLine();
    if (game.auction && game.lead) {
        const QString card = options.tenAs10 ? tensAs10(game.lead->cardText) : game.lead->cardText;
        showLeadLine(game.lead->leaderName, game.lead->suitIndex, card);
    }

    for (int field = 0; field < FieldCount; ++field) {
        const bool hidden = options.hidden[SeatOfField(field)];
        const QString holding = options.tenAs10 ? tensAs10(game.holdings[field]) : game.holdings[field];
        writeHolding(txtInvoer[field], hidden ? QString() : holding);
        txtInvoer[field]->setEnabled(true);
    }
    showCountsAndPoints(game.holdings);
    refreshCountColours();
    showSeatInBold(options.boldSeat);
    for (int seat = 0; seat < 4; ++seat)
        lblPunten[seat]->setVisible(options.points && !options.hidden[seat]);

    // Line ends as the window's question box keeps them, so a question of several lines wraps alike.
    txtVraag->setPlainText(boxTextOfStored(game.question));
    showDoubleDummy(options.doubleDummy);
}

void BoardView::showSeatInBold(int seat)
{
    m_seatInBold = seat;
    for (int s = 0; s < 4; ++s) {
        QFont f = lblWind[s]->font();
        f.setBold(s == seat);
        lblWind[s]->setFont(f);
        lblWind[s]->adjustSize();
    }
}

void BoardView::showDoubleDummy(const std::optional<DoubleDummyResult> &result)
{
    if (result)
        doubleDummyBlock->showResult(*result, m_languageNumber);
    else
        doubleDummyBlock->clearResult();
}

} // namespace briqo
