// Start-up of the main window, its activation, and the relayout used for the board picture.

#include "ui/main_window/frm_bordix.h"

#include "base/profile.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/deal.h"
#include "resources/pictures.h"
#include "shell/update_rules.h"
#include "ui/common/grid_fit.h"

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
    // A new board in the language: nothing typed, no game number.
    m_board = Board(LanguageNumber);

    // The board's own captions and layout in the language.
    picAlles->setUpCaptions(LanguageNumber, m_services.clock->currentYear());

    VersionDigits = versionText(QString());

    for (int k = 4; k < 35; k += 5)
        setPicture(picBB[k], LanguageNumber == LanguageDutch ? 110 : 111);

    setWindowTitle(ResString(Str::ProgramName) + QLatin1Char(' ') + versionText(QStringLiteral(".")));

    chkSorteer->setText(ResString(Str::SortHighToLow));
    cmdToonBMP->setText(ResString(Str::ListOfBmp));
    cmdToonLijst->setText(ResString(Str::OverviewGames));
    // The caption on two lines: the button is as narrow as a flag.
    cmdDownload->setText(ResString(Str::DownloadUpdate).replace(QLatin1Char(' '), QLatin1Char('\n')));
    cmdDownload->setToolTip(ResString(Str::DownloadUpdate));

    for (int seat = 0; seat < 4; ++seat)
        chkNietZichtbaar[seat]->setText(ResString(Str::North + seat));
    for (int k = 35; k <= 40; ++k)
        lblBB[k]->setText(ResString(Str::Pass + (k - 35)));
    fraSpellen->setTitle(ResString(Str::GamesFolder));
    cmdLeesSpel->setText(ResString(Str::LoadGame));
    cmdWisSpel->setText(ResString(Str::DeleteGame));
    chkTien->setText(ResString(Str::TenAs10));
    cmdKopie->setText(ResString(Str::SaveAsBitmap));
    cmdDrukSpelAf->setText(ResString(Str::Print));
    cmdOpslaan->setText(ResString(Str::SaveGame));
    chkPunten->setText(ResString(Str::PointsVisible));
    chkDoubleDummy->setText(ResString(dd_text::InPicture));
    cmdDraai->setText(ResString(Str::TurnGame));
    fraNieuwNummer->setTitle(ResString(Str::NewNumber));
    lblNieuwNUmmer->setText(ResString(Str::NewNumber));
    lblNieuwNUmmer->adjustSize();
    // The clipboard button reads as the rest of the window, in the language in use.
    cmdNaarKlembord->setText(ResString(Str::ToClipboard));

    setLeftTw(txtNieuwNummer, leftTw(lblNieuwNUmmer) + widthTw(lblNieuwNUmmer) + 64);
    setLeftTw(vscrNieuwNummer, leftTw(txtNieuwNummer) + widthTw(txtNieuwNummer) + 32);

    // The focus sink sits beyond the right edge of the window: it can hold the focus unseen.
    cmdFocus->move(width() + toPx(10), cmdFocus->y());

    // The sort box belongs to every version since 1.0.3.
    if (VersionDigits.toInt() >= 103) {
        // The list ends where the sort box begins: the designed 2595 twips would run under it.
        setHeightTw(lstSpellen, std::min(2595.0, topTw(chkSorteer) - topTw(lstSpellen)));
        chkSorteer->show();
    } else {
        setHeightTw(lstSpellen, 2985);
        chkSorteer->hide();
    }
    const QSignalBlocker noResort(chkSorteer);
    chkSorteer->setChecked(
        leadingNumber(ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), iniPath())) != 0);
    chkSorteer->setText(ResString(chkSorteer->isChecked() ? Str::SortLowToHigh : Str::SortHighToLow));

    readDoubleDummyOption();

    store().recoverAll();
    if (!m_gameListPending)
        LeesSpellen();
    showBoard();
}

void frmBordix::placeInfoValues() { picAlles->placeInfoValues(); }

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

void frmBordix::VerplaatsObjecten() { picAlles->VerplaatsObjecten(); }

} // namespace briqo
