// Printing the board: the platform's print dialog, then the picture of the capture on one page.

#include "ui/main_window/frm_bordix.h"

#include "exchange/exchange_strings.h"
#include "output/print_file.h"
#include "output/print_picture.h"
#include "base/string_table.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace briqo {

namespace {

// The board stands 400 twips right of and below the origin of the printable area, at half its
// HiMetric size read as twips.
constexpr double PrintLeft = 400;
constexpr double PrintTop = 400;
constexpr double PrintScale = 0.5;

} // namespace

void frmBordix::cmdDrukSpelAf_Click()
{
    cmdFocus->setFocus();
    if (!m_services.printing->choosePrinter(this)) {
        // Nothing is printed and nothing written; the window is ready for the next try.
        setEnabled(true);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        applyAvailability();
        SetFocusIfPossible(cmdFocus);
        return;
    }

    // The picture is drawn from the board and saved as for the button; the clipboard is not read
    // back, since another program may have taken it over in the meantime.
    const QImage picture = takePicture(PictureUse::Print);
    if (picture.isNull())
        return;
    cmdFocus->setFocus();

    PrintFileGuard toFile(m_services.printing->printer());
    QPainter page;
    if (!page.begin(&m_services.printing->printer())) {
        showInfo(ResString(own::CannotPrint));
        return;
    }
    PrintScaledPicture(page, picture, PrintLeft, PrintTop, PrintScale);
    page.end(); // the document ends: the page goes to the printer
    if (const WriteOutcome written = toFile.finish(); !written) {
        const QString message
            = messageText(fillPlaceholder(ResString(exchange_text::FileNotWritten), QLatin1Char('*'), written.reason));
        m_services.messages->info(this, caption(), fillPlaceholder(message, QLatin1Char('~'), toFile.target()));
    }
}

} // namespace briqo
