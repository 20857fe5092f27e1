// Start-up of the main window, its activation, and the relayout used for the board picture.

#include "shell/frm_bordix.h"

#include "deal/deal.h"
#include "resources/pictures.h"
#include "shell/grid_fit.h"
#include "shell/profile.h"
#include "shell/string_table.h"
#include "shell/twips.h"
#include "shell/update_rules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

namespace briqo {

namespace {

QString versionText(const QString &separator)
{
    return QString::number(BRIQO_VERSION_MAJOR) + separator + QString::number(BRIQO_VERSION_MINOR) + separator
        + QString::number(BRIQO_VERSION_PATCH);
}

} // namespace

void frmBordix::Form_Load()
{
    // A second running instance has already ended before the window was made (see main).
    LanguageNumber = languageFromIniValue(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), iniPath()));

    setWidthTw(txtVraag, widthTw(picAlles));
    txtVraag->raise();

    // Summary grid: cards and points per seat, fitted to its texts, no scroll area.
    msfgOverzicht->item(0, 1)->setText(ResString(59));
    msfgOverzicht->item(0, 2)->setText(ResString(60));
    msfgOverzicht->item(0, 2)->setForeground(bgr(Red));
    for (int seat = 0; seat < 4; ++seat)
        msfgOverzicht->item(seat + 1, 0)->setText(ResString(4 + seat));
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

    VersionDigits = versionText(QString());
    chkPunten->setChecked(true);

    for (int i = 0; i < FieldCount; ++i)
        setPicture(picSymbool[i], 101 + i % 4);
    for (int k = 4; k < 35; k += 5)
        setPicture(picBB[k], LanguageNumber == LanguageDutch ? 110 : 111);

    setWindowTitle(ResString(37) + QLatin1Char(' ') + versionText(QStringLiteral(".")));

    lblInfo[0]->setText(ResString(0));
    lblInfo[1]->setText(ResString(1));
    lblInfo[2]->setText(ResString(2));
    lblInfo[3]->setText(ResString(67) + QLatin1Char(':'));
    lblInfo[4]->setText(ResString(68) + QLatin1Char(':'));
    lblInfo[5]->setText(ResString(66) + QLatin1Char(':'));
    chkUitKomst->setText(ResString(69));
    chkSorteer->setText(ResString(88));
    cmdToonBMP->setText(ResString(90));
    cmdToonLijst->setText(ResString(94));
    cmdDownload->setToolTip(ResString(DownloadCaptionString));

    placeInfoValues();

    lblDeMaker->setText(ResString(3));
    for (int seat = 0; seat < 4; ++seat) {
        lblBieding[seat]->setText(ResString(4 + seat));
        lblWind[seat]->setText(ResString(4 + seat));
        lblWind[seat]->adjustSize();
        chkNietZichtbaar[seat]->setText(ResString(4 + seat));
    }
    for (int k = 35; k <= 40; ++k)
        lblBB[k]->setText(ResString(8 + (k - 35)));
    fraSpellen->setTitle(ResString(14));
    cmdLeesSpel->setText(ResString(16));
    cmdWisSpel->setText(ResString(17));
    chkTien->setText(ResString(18));
    cmdKopie->setText(ResString(19));
    cmdDrukSpelAf->setText(ResString(20));
    cmdOpslaan->setText(ResString(22));
    chkPunten->setText(ResString(56));
    cmdDraai->setText(ResString(61));
    fraNieuwNummer->setTitle(ResString(63));
    lblNieuwNUmmer->setText(ResString(63));
    lblNieuwNUmmer->adjustSize();
    // The clipboard button reads as the rest of the window, in the language in use.
    cmdNaarKlembord->setText(ResString(81));

    setLeftTw(txtNieuwNummer, leftTw(lblNieuwNUmmer) + widthTw(lblNieuwNUmmer) + 64);
    setLeftTw(vscrNieuwNummer, leftTw(txtNieuwNummer) + widthTw(txtNieuwNummer) + 32);

    const QString year = QString::number(m_services.clock->currentYear());
    for (QLabel *note : lblMakerNote) {
        note->setText(ResString(15).replace(QStringLiteral("2020"), year));
        note->adjustSize();
    }
    cmdVraagAntwoord->setText(ResString(72));

    // The focus sink sits beyond the right edge of the window: it can hold the focus unseen.
    cmdFocus->move(width() + toPx(10), cmdFocus->y());

    lstStartInvoer = startTriples();

    for (int i = 0; i < FieldCount; ++i) {
        txtInvoer[i]->setEnabled(false);
        txtInvoer[i]->setMaxLength(13);
        setForeColour(txtInvoer[i], (i % 4 == 1 || i % 4 == 2) ? SuitRed : 0);
        picAchter[i]->setFocusPolicy(Qt::NoFocus);
    }
    clearAuctionCells();

    // The sort box belongs to every version since 1.0.3.
    if (VersionDigits.toInt() >= 103) {
        setHeightTw(lstSpellen, 2595);
        chkSorteer->show();
    } else {
        setHeightTw(lstSpellen, 2985);
        chkSorteer->hide();
    }
    const QSignalBlocker noResort(chkSorteer);
    chkSorteer->setChecked(
        leadingNumber(ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), iniPath())) != 0);
    chkSorteer->setText(ResString(chkSorteer->isChecked() ? 89 : 88));

    LeesSpellen();
}

void frmBordix::placeInfoValues()
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

void frmBordix::Form_Activate()
{
    VersionCheck();
    timVlaggen->start();
    if (isEnabled() && txtSpel->isEnabled())
        txtSpel->setFocus();
}

void frmBordix::Form_Resize()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move((area.width() - frameGeometry().width()) / 2, (area.height() - frameGeometry().height()) / 2);
}

void frmBordix::VerplaatsObjecten()
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
