// Creating the auction grid and the bidding box of the main window.

#include "ui/main_window/frm_bordix.h"

#include "base/fonts.h"
#include "base/twips.h"
#include "resources/pictures.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace briqo {

namespace {

// Back colours of the box buttons that are not contract bids (0xBBGGRR).
constexpr unsigned PassGreen = 0x80FF80;
constexpr unsigned DoubleRed = 0xC0C0FF;
constexpr unsigned RedoubleCyan = 0xFFFFC0;
constexpr unsigned NumberRed = 0x0000C0;
constexpr unsigned DeleteLastRed = 0x000080;
constexpr unsigned DeleteAllRed = 0x0000FF;

} // namespace

void frmBordix::buildBiddingBox()
{
    picBiedBox = new QWidget(this);
    setRectTw(picBiedBox, 9420, 120, 3015, 4185);

    auto panel = [](QWidget *parent, double l, double t, double w, double h, unsigned colour) {
        auto *f = new QFrame(parent);
        setRectTw(f, l, t, w, h);
        f->setFrameShape(QFrame::Box);
        setBackColour(f, colour);
        return f;
    };

    for (int k = 0; k < 35; ++k) {
        picBBA[k] = panel(picBiedBox, 30 + 600 * (k % 5), 30 + 450 * (k / 5), 585, 435, White);
        const bool noTrump = k % 5 == 4;
        lblBB[k] = new QLabel(picBBA[k]);
        setRectTw(lblBB[k], noTrump ? 30 : 60, 60, 150, 270);
        lblBB[k]->setFont(verdana(9.75, true));
        lblBB[k]->setText(QString::number(k / 5 + 1));
        picBB[k] = new QLabel(picBBA[k]);
        if (noTrump)
            setRectTw(picBB[k], 210, 90, 255, 210);
        else
            setRectTw(picBB[k], 240, 90, 210, 210);
        picBB[k]->setAlignment(Qt::AlignCenter);
        // Strains run clubs, diamonds, hearts, spades: the small pictures 106..109.
        if (!noTrump)
            setPicture(picBB[k], 106 + k % 5);
    }

    struct Special {
        double l, t, w, h;
        unsigned colour;
    };
    const Special specials[6] = {
        {30, 3270, 1095, 435, PassGreen},
        {1110, 3270, 945, 435, DoubleRed},
        {2040, 3270, 975, 435, RedoubleCyan},
        {30, 3720, 2985, 435, NumberRed},
        {6180, 3330, 3015, 435, DeleteLastRed},
        {6180, 3780, 3015, 435, DeleteAllRed},
    };
    for (int i = 0; i < 6; ++i) {
        const int k = 35 + i;
        // The two delete buttons stand in the board panel, below the right end of the auction.
        QWidget *parent = k >= 39 ? picAlles : picBiedBox;
        const Special &s = specials[i];
        picBBA[k] = panel(parent, s.l, s.t, s.w, s.h, s.colour);
        lblBB[k] = new QLabel(picBBA[k]);
        lblBB[k]->setGeometry(0, 0, toPx(s.w), toPx(s.h));
        lblBB[k]->setAlignment(Qt::AlignCenter);
        lblBB[k]->setFont(verdana(8.25, true));
        if (k >= 38)
            setForeColour(lblBB[k], White);
    }
}

} // namespace briqo
