// The overview's handout: the games of the chosen rows as one PDF, the same file the command
// line's handout makes, drawn with the display options the main window has set.

#include "ui/common/work_progress.h"
#include "ui/overview/frm_bordix_02.h"

#include "base/string_table.h"
#include "base/twips.h"
#include "exchange/exchange_strings.h"
#include "output/handout.h"
#include "platform/safe_write.h"
#include "platform/services.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableWidget>

#include <set>

namespace briqo {

namespace {

BoardOptions optionsOf(const frmBordix &main)
{
    BoardOptions options;
    options.tenAs10 = main.chkTien->isChecked();
    options.points = main.chkPunten->isChecked();
    // A hand the user has hidden carries a tag on its check box.
    for (int seat = 0; seat < 4; ++seat)
        options.hidden[seat] = main.seatHidden(seat);
    return options;
}

} // namespace

void frmBordix_02::cmdHandout_Click()
{
    FileDialogs *files = m_main.services().files;
    if (!files || m_rows.isEmpty())
        return;
    // The rows in the order the table shows them; the header row names no game.
    std::set<int> chosen;
    for (const QModelIndex &index : msfgResultaat->selectionModel()->selectedIndexes()) {
        if (index.row() > 0)
            chosen.insert(index.row());
    }
    if (chosen.empty()) {
        for (int row = 1; row < msfgResultaat->rowCount(); ++row)
            chosen.insert(row);
    }
    const GameStore store = m_main.store();
    QList<Game> games;
    for (int row : chosen) {
        if (const QTableWidgetItem *item = msfgResultaat->item(row, 0))
            games << store.load(leadingNumber(item->text()));
    }
    if (games.isEmpty())
        return;

    QString suggested = store.words().gamesFolder + QStringLiteral(".pdf");
    if (games.size() == 1)
        suggested = store.folderName(games.first().number) + QStringLiteral(".pdf");
    const QString path = files->saveFile(this, ResString(own::HandoutTitle), suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;

    HandoutSettings settings;
    settings.picture.languageNumber = m_main.LanguageNumber;
    settings.picture.year = m_main.services().clock ? m_main.services().clock->currentYear() : settings.picture.year;
    settings.picture.board = optionsOf(m_main);
    settings.picture.doubleDummy = m_main.chkDoubleDummy && m_main.chkDoubleDummy->isChecked();
    QByteArray pdf;
    {
        WorkProgress making(this, ResString(own::ProgressHandout), ResString(own::ProgressCancel));
        pdf = handoutPdf(games, settings, making.report());
        // Stopped by the user: nothing is written and nothing needs saying.
        if (making.stopped()) {
            SetFocusIfPossible(cmdFocus);
            return;
        }
    }
    const WriteOutcome written = pdf.isEmpty() ? WriteOutcome {} : writeFileSafely(path, pdf);
    // The file name goes in last, so a placeholder character in it stays as it is.
    QString message = ResString(own::HandoutWritten);
    if (pdf.isEmpty())
        message = ResString(own::HandoutNotWritten);
    else if (!written)
        message = fillPlaceholder(ResString(exchange_text::FileNotWritten), QLatin1Char('*'), written.reason);
    m_main.services().messages->info(
        this, windowTitle(), fillPlaceholder(messageText(message), QLatin1Char('~'), QFileInfo(path).filePath()));
    SetFocusIfPossible(cmdFocus);
}

} // namespace briqo
