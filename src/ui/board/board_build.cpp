// Creating the controls of the board at their designed places (twips).

#include "ui/board/board_view.h"

#include "ui/board/double_dummy_block.h"
#include "resources/pictures.h"
#include "base/fonts.h"
#include "base/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace briqo {

namespace {

QLabel *label(QWidget *parent, double l, double t, double w, double h, double points = 8.25)
{
    auto *lbl = new QLabel(parent);
    setRectTw(lbl, l, t, w, h);
    lbl->setFont(verdana(points));
    return lbl;
}

} // namespace

BoardView::BoardView(QWidget *parent)
    : QWidget(parent)
{
    setRectTw(this, 60, 30, 9225, 9255);
    setBackColour(this, White);
    buildBoard();
}

void BoardView::buildBoard()
{
    txtSpel = new QLineEdit(this);
    setRectTw(txtSpel, 1290, 90, 945, 600);
    txtSpel->setFont(verdana(20.25));
    txtSpel->setMaxLength(3);
    txtSpel->setAlignment(Qt::AlignCenter);

    // Captions of the information block on the left, their values beside them.
    static const double infoTops[6] = {240, 810, 1110, 1410, 1710, 2010};
    for (int i = 0; i < 6; ++i) {
        lblInfo[i] = label(this, 90, infoTops[i], 1000, 240, 9.75);
        lblVulin[i] = label(this, 1290, infoTops[i], 1000, 240, 9.75);
        lblVulin[i]->hide();
    }
    lblVulin[6] = label(this, 2000, infoTops[5], 800, 240, 9.75);
    lblVulin[6]->hide();

    chkUitKomst = new QCheckBox(this);
    setRectTw(chkUitKomst, 1260, 2250, 1725, 315);
    chkUitKomst->setFont(verdana(8.25));
    chkUitKomst->hide();

    picUit = label(this, 2460, 1920, 375, 285);
    picEind = label(this, 2430, 1650, 375, 285);
    picUit->hide();
    picEind->hide();

    picDeMaker = new QFrame(this);
    setRectTw(picDeMaker, 510, 2550, 2055, 1935);
    lblDeMaker = label(picDeMaker, 0, 0, 2055, 255);
    lblDeMaker->setAlignment(Qt::AlignCenter);
    imaLogo = label(picDeMaker, 0, 255, 2055, 1680);
    imaLogo->setPixmap(makerLogo(toPx(2055), toPx(1680)));
    imaLogo->setAlignment(Qt::AlignCenter);

    buildAuctionGrid();
    buildHands();
    buildSummaryGrid();

    cmdVraagAntwoord = new QPushButton(this);
    setRectTw(cmdVraagAntwoord, 6570, 8000, 1500, 465);

    txtVraag = new QPlainTextEdit(this);
    setRectTw(txtVraag, 0, 7530, 9225, 1000);
    txtVraag->setReadOnly(true);
    txtVraag->setFont(verdana(9.75));
    txtVraag->hide();

    picVlaggen = new QWidget(this);
    setRectTw(picVlaggen, -30, 7350, 2985, 1995);
    for (int i = 0; i < 2; ++i) {
        cmdTaalButtons[i] = new QPushButton(picVlaggen);
        setRectTw(cmdTaalButtons[i], 60 + 750 * i, 1260, 675, 585);
        cmdTaalButtons[i]->setIconSize(QSize(29, 24));
        cmdTaalButtons[i]->setIcon(picture(i == 0 ? 112 : 127));
    }
    cmdDownload = new QPushButton(picVlaggen);
    setRectTw(cmdDownload, 2280, 1260, 675, 585);
    cmdDownload->setFont(verdana(6.75));

    // Made after the flags' panel, so it stands in front of that panel's empty top.
    doubleDummyBlock = new DoubleDummyBlock(this);
    doubleDummyBlock->move(toPx(DoubleDummyBlockLeft), toPx(DoubleDummyBlockTop));

    lblMakerNote[0] = label(this, 7260, 8910, 1815, 195, 6.75);
    lblMakerNote[1] = label(this, 90, 8910, 1815, 195, 6.75);
    for (QLabel *note : lblMakerNote)
        note->hide();
}

void BoardView::buildHands()
{
    // Symbol left, box left and first row top of North, East, South and West.
    static const double symbolLeft[4] = {3060, 6090, 3060, 30};
    static const double boxLeft[4] = {3540, 6570, 3540, 510};
    static const double firstTop[4] = {3330, 5280, 7230, 5280};
    for (int field = 0; field < FieldCount; ++field) {
        const int seat = SeatOfField(field);
        const double top = firstTop[seat] + 480 * SuitOfField(field);
        picSymbool[field] = label(this, symbolLeft[seat], top, 510, 510);
        picSymbool[field]->setAlignment(Qt::AlignCenter);
        picAchter[field] = new QFrame(this);
        setRectTw(picAchter[field], boxLeft[seat], top, 2565, 510);
        setBackColour(picAchter[field], White);
        picAchter[field]->setFrameShape(QFrame::Box);
        setForeColour(picAchter[field], 0xC0C0C0);
        txtInvoer[field] = new QLineEdit(picAchter[field]);
        setRectTw(txtInvoer[field], 60, 90, 2415, 345);
        txtInvoer[field]->setFont(verdana(12));
        txtInvoer[field]->setFrame(false);
        setBackColour(txtInvoer[field], White);
    }

    // Seat names in the compass between the hands. North's points stand below its name, South's
    // above it; East's points to the left of its name and West's to the right, on the same line.
    static const double windLeft[4] = {4290, 5370, 4380, 3180};
    static const double windTop[4] = {5430, 6180, 6870, 6180};
    static const double pointsLeft[4] = {4290, 4740, 4380, 3960};
    static const double pointsTop[4] = {5760, 6210, 6630, 6210};
    for (int seat = 0; seat < 4; ++seat) {
        lblWind[seat] = label(this, windLeft[seat], windTop[seat], 800, 300, 12);
        lblPunten[seat] = label(this, pointsLeft[seat], pointsTop[seat], 600, 240, 8.25);
        lblPunten[seat]->setAlignment(Qt::AlignCenter);
        lblPunten[seat]->setText(QStringLiteral("(0)"));
        setForeColour(lblPunten[seat], Red);
    }
}

void BoardView::buildSummaryGrid()
{
    msfgOverzicht = new QTableWidget(5, 3, this);
    msfgOverzicht->horizontalHeader()->hide();
    msfgOverzicht->verticalHeader()->hide();
    msfgOverzicht->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msfgOverzicht->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msfgOverzicht->setEditTriggers(QAbstractItemView::NoEditTriggers);
    msfgOverzicht->setSelectionMode(QAbstractItemView::NoSelection);
    msfgOverzicht->setFocusPolicy(Qt::NoFocus);
    msfgOverzicht->setFrameShape(QFrame::Box);
    msfgOverzicht->setFont(verdana(8.25));
    // Every row as high as the grid's designed rows; set once for all five rows, as setting them
    // one by one lays the grid out again each time.
    msfgOverzicht->verticalHeader()->setMinimumSectionSize(toPx(240));
    msfgOverzicht->verticalHeader()->setDefaultSectionSize(toPx(240));
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem;
            // Row 0 and column 0 are the grid's fixed header cells.
            if (r == 0 || c == 0)
                item->setBackground(QColor(0xE0, 0xE0, 0xE0));
            msfgOverzicht->setItem(r, c, item);
        }
    }
}

void BoardView::buildAuctionGrid()
{
    fraBieding = new QGroupBox(this);
    setRectTw(fraBieding, 3060, 0, 6105, 3315);
    fraBieding->setFlat(true);
    static const double headingLeft[4] = {660, 2190, 3630, 5040};
    for (int seat = 0; seat < 4; ++seat) {
        lblBieding[seat] = new QLabel(fraBieding);
        setRectTw(lblBieding[seat], headingLeft[seat], 210, 1200, 285);
        lblBieding[seat]->setFont(verdana(9.75, true));
        for (int row = 0; row < 9; ++row) {
            const double top = 570 + 300 * row;
            lblB[seat][row] = new QLabel(fraBieding);
            setRectTw(lblB[seat][row], headingLeft[seat], top, 150, 270);
            lblB[seat][row]->setFont(verdana(9.75, true));
            // A pass, double or redouble word needs more room than a level digit.
            lblB[seat][row]->setMinimumWidth(toPx(150));
            picB[seat][row] = new QLabel(fraBieding);
            setRectTw(picB[seat][row], headingLeft[seat] + 180, top + 30, 210, 210);
            picB[seat][row]->setAlignment(Qt::AlignCenter);
            lblA[seat][row] = new QLabel(fraBieding);
            setRectTw(lblA[seat][row], headingLeft[seat] + 450, top + 30, 105, 195);
            lblA[seat][row]->setFont(verdana(6.75));
            lblA[seat][row]->setText(QStringLiteral("*"));
            lblB[seat][row]->hide();
            picB[seat][row]->hide();
            lblA[seat][row]->hide();
        }
    }
    for (int row = 0; row < 9; ++row) {
        lblNum[row] = new QLabel(fraBieding);
        setRectTw(lblNum[row], 150, 570 + 300 * row, 255, 270);
        lblNum[row]->setFont(verdana(8.25));
        lblNum[row]->setText(QString::number(row + 1) + QLatin1Char(':'));
    }
}

} // namespace briqo
