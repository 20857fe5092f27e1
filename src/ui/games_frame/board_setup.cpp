// The game-number field: what may be typed, and the board set-up that every change of the number runs.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "store/game_paths.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace briqo {

long long frmBordix::currentGameNumber() const { return leadingNumber(txtSpel->text()); }

void frmBordix::txtSpel_KeyPress(int &keyAscii)
{
    if (keyAscii != 8 && !QStringLiteral("1234567890").contains(QChar(keyAscii)))
        keyAscii = 0;
}

void frmBordix::txtSpel_LostFocus()
{
    if (txtSpel->text() == QLatin1String("0"))
        txtSpel->clear();
}

void frmBordix::showDealerAndVulnerability(long long n) { picAlles->showDealerAndVulnerability(n); }

void frmBordix::txtSpel_Change()
{
    const QString text = txtSpel->text();
    // A paste brings what cannot be typed ("abc", " 12"): the field keeps its digits only, and
    // this handler runs again for them.
    QString digits = text;
    digits.removeIf([](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
    if (digits != text) {
        txtSpel->setText(digits);
        return;
    }
    if (text.isEmpty()) {
        cmdToonBMP->setEnabled(false);
        return;
    }
    if (text == QLatin1String("0"))
        return;

    if (UnsavedChanges && !SkipSaveQuestion && askYesNo(ResString(Str::NotSavedYet)))
        cmdOpslaan_Click(); // saves under the number now in the field, then moves it on by one
    if (!Renumbering)
        ClearBoard();
    if (txtSpel->text().isEmpty()) {
        cmdToonBMP->setEnabled(false);
        return;
    }
    cmdToonBMP->setEnabled(true);

    const long long n = currentGameNumber();
    showDealerAndVulnerability(n);
    for (QLabel *number : lblNum)
        number->show();

    chkTien->setChecked(false);
    if (EntrySuppressed)
        return;

    const bool isGame = n > 0 && n < 1000;
    showNumberTyped(isGame);
    for (QStringList &hand : lstHand)
        hand.clear();
    lstSpellen->clearSelection();

    if (isGame) {
        if (!Renumbering) {
            EntrySuppressed = true;
            for (QLineEdit *field : txtInvoer)
                field->clear();
            EntrySuppressed = false;
            // The summary grid follows the emptied hands.
            ShowCountsAndPoints();
        }
        // A fresh auction: no calls, notes from 1, the cells before the dealer marked "-".
        auction.resetForGame(DealerOf(n));
        showAuction();
        ShowAllBids();
    } else {
        picAlles->hideDealerAndVulnerability();
        lblInfo[1]->setText(ResString(Str::DealerCaption));
        lblInfo[2]->setText(ResString(Str::VulnerableCaption));
    }

    EntrySuppressed = true;
    paintFieldsWhite();
    for (int seat = 0; seat < 4; ++seat)
        setCountCellColour(seat, White);
    EntrySuppressed = false;

    RenumberGuard = true;
    txtNieuwNummer->clear();
    fraNieuwNummer->setEnabled(false);
    RenumberGuard = false;

    SetFocusIfPossible(txtSpel);
}

} // namespace briqo
