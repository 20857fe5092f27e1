// The board picture: the board on screen drawn anew, without the window's controls, by the one
// drawing that also makes the picture files and the handouts; saved as the game's next numbered
// bitmap and left on the clipboard. The live window is not touched while the picture is made, so
// it does not matter whether the window is active, covered, or has a window manager at all.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "output/bitmap_file.h"
#include "output/picture_export.h"

#include <QCheckBox>
#include <QPushButton>

namespace briqo {

QString frmBordix::ZoekBMPNummer() const { return store().nextPictureSuffix(currentGameNumber()); }

Game frmBordix::boardAsGame() const
{
    // The picture is drawn from what the board shows: no contract or answer text of the files.
    Game game;
    game.number = m_board.currentGameNumber();
    game.holdings = m_board.holdings();
    game.auction = auctionFileOf(m_board.auction());
    if (const std::optional<LeadDisplay> &lead = m_board.lead())
        game.lead = LeadLine {lead->leaderName, lead->suit, lead->cardText};
    game.question = m_board.question();
    return game;
}

PictureSettings frmBordix::pictureSettings()
{
    PictureSettings settings;
    settings.languageNumber = LanguageNumber;
    settings.year = m_services.clock->currentYear();
    settings.board.tenAs10 = m_board.tenAs10();
    settings.board.points = m_board.pointsVisible();
    for (int seat = 0; seat < 4; ++seat)
        settings.board.hidden[seat] = !m_board.handShown(seat);
    settings.board.boldSeat = picAlles->seatInBold();
    // The double-dummy block is in the picture only when its option is on; the picture does not
    // wait for the background to finish the table.
    if (chkDoubleDummy->isChecked())
        settings.board.doubleDummy = doubleDummyNow();
    return settings;
}

QImage frmBordix::boardPictureNow()
{
    PreparedBoard board(boardAsGame(), pictureSettings());
    return boardImage(board, 1);
}

QImage frmBordix::takePicture(PictureUse use)
{
    const long long n = currentGameNumber();
    const QString suffix = ZoekBMPNummer();
    const QImage taken = boardPictureNow();

    // Every use leaves the picture on the clipboard; the file is written unless the picture is
    // for the clipboard only.
    m_services.clipboard->setImage(taken);
    QString failure;
    if (use != PictureUse::Clipboard) {
        const StoreResult written = store().writePicture(n, suffix, bitmapFileBytes(taken));
        if (!written)
            failure = fillPlaceholder(ResString(own::PictureNotSaved), QLatin1Char('~'), written.path);
    }
    cmdFocus->setFocus();
    if (!failure.isEmpty())
        showInfo(failure);
    return taken;
}

void frmBordix::cmdKopie_Click() { takePicture(PictureUse::File); }

void frmBordix::cmdNaarKlembord_Click()
{
    if (!takePicture(PictureUse::Clipboard).isNull())
        showInfo(ResString(Str::PasteThePicture));
    cmdFocus->setFocus();
}

QImage frmBordix::windowPicture() { return grab().toImage(); }

} // namespace briqo
