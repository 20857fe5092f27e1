// Creating the games frame, the bottom strip and the invisible working controls.

#include "ui/main_window/frm_bordix.h"

#include "base/fonts.h"
#include "base/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace briqo {

namespace {

QPushButton *button(QWidget *parent, double l, double t, double w, double h)
{
    auto *b = new QPushButton(parent);
    setRectTw(b, l, t, w, h);
    return b;
}

QCheckBox *checkBox(QWidget *parent, double l, double t, double w, double h)
{
    auto *c = new QCheckBox(parent);
    setRectTw(c, l, t, w, h);
    return c;
}

} // namespace

void frmBordix::buildGamesFrame()
{
    fraSpellen = new QGroupBox(this);
    setRectTw(fraSpellen, 9420, 4320, 3015, 4935);
    lstSpellen = new QListWidget(fraSpellen);
    setRectTw(lstSpellen, 120, 270, 2775, 2400);
    lstSpellen->setMouseTracking(true);
    chkSorteer = checkBox(fraSpellen, 120, 2670, 2775, 285);

    fraNieuwNummer = new QGroupBox(fraSpellen);
    setRectTw(fraNieuwNummer, 120, 3030, 2775, 765);
    lblNieuwNUmmer = new QLabel(fraNieuwNummer);
    setRectTw(lblNieuwNUmmer, 120, 330, 1200, 285);
    txtNieuwNummer = new QLineEdit(fraNieuwNummer);
    setRectTw(txtNieuwNummer, 1400, 270, 600, 375);
    txtNieuwNummer->setReadOnly(true);
    txtNieuwNummer->setAlignment(Qt::AlignCenter);
    vscrNieuwNummer = new QScrollBar(Qt::Vertical, fraNieuwNummer);
    setRectTw(vscrNieuwNummer, 2100, 240, 255, 435);
    vscrNieuwNummer->setRange(-1, 1);
    vscrNieuwNummer->setValue(0);

    cmdToonLijst = button(fraSpellen, 120, 3840, 2775, 465);
    cmdLeesSpel = button(fraSpellen, 120, 4350, 1275, 465);
    cmdWisSpel = button(fraSpellen, 1620, 4350, 1275, 465);
}

void frmBordix::buildBottomStrip()
{
    picKnoppen = new QWidget(this);
    setRectTw(picKnoppen, 60, 9330, 12435, 885);

    chkTien = checkBox(picKnoppen, 120, 60, 3915, 285);
    chkPunten = checkBox(picKnoppen, 4200, 60, 1815, 285);
    static const double hideLeft[4] = {7470, 8100, 7500, 6990};
    static const double hideTop[4] = {60, 330, 600, 330};
    for (int seat = 0; seat < 4; ++seat) {
        chkNietZichtbaar[seat] = checkBox(picKnoppen, hideLeft[seat], hideTop[seat], 900, 270);
        chkNietZichtbaar[seat]->setFont(verdana(6.75));
    }
    // Right of the hidden-hands compass, on the line of the two display options.
    chkDoubleDummy = checkBox(picKnoppen, 9150, 60, 3200, 285);
    cmdKopie = button(picKnoppen, 30, 390, 2565, 465);
    cmdDrukSpelAf = button(picKnoppen, 2610, 360, 1095, 495);
    cmdNaarKlembord = button(picKnoppen, 3720, 360, 1515, 495);
    cmdNaarKlembord->setText(QStringLiteral("Naar Klembord"));
    cmdToonBMP = button(picKnoppen, 5280, 330, 1575, 525);
    cmdDraai = button(picKnoppen, 8850, 390, 2205, 465);
    cmdOpslaan = button(picKnoppen, 11070, 360, 1335, 495);

    // Working controls the user never sees.
    franietZichtbaar = new QWidget(this);
    franietZichtbaar->hide();
    cmdFocus = button(this, 0, 0, 60, 60);
    timVlaggen = new QTimer(this);
    timVlaggen->setInterval(150);
}

void frmBordix::applyDesignedStates()
{
    // What the board offers follows from the board once it is shown; the list's overview
    // follows the games stored.
    cmdToonLijst->setEnabled(false);
    // Offered only once the version check has found a newer version on the server.
    cmdDownload->setEnabled(false);
}

} // namespace briqo
