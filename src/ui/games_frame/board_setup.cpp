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
        setGameNumberText(QString());
}

void frmBordix::showDealerAndVulnerability(long long n) { picAlles->showDealerAndVulnerability(n); }

void frmBordix::txtSpel_Change()
{
    // A paste brings what cannot be typed ("abc", " 12"): the field keeps its digits only.
    QString digits = txtSpel->text();
    digits.removeIf([](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
    if (digits != txtSpel->text())
        setGameNumberText(digits);
    else
        gameNumberChanged({});
}

void frmBordix::setGameNumberText(const QString &text, NumberChange how)
{
    if (text == txtSpel->text())
        return;
    {
        const QSignalBlocker quiet(txtSpel);
        txtSpel->setText(text);
    }
    gameNumberChanged(how);
}

void frmBordix::gameNumberChanged(NumberChange how)
{
    const QString text = txtSpel->text();
    if (text.isEmpty()) {
        cmdToonBMP->setEnabled(false);
        return;
    }
    if (text == QLatin1String("0"))
        return;

    if (UnsavedChanges && how.askAboutUnsaved && askYesNo(ResString(Str::NotSavedYet)))
        cmdOpslaan_Click(); // saves under the number now in the field, then moves it on by one
    if (!how.keepBoard)
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

    if (how.numberOnly) {
        // The tens stay as the fields show them.
        const QSignalBlocker quiet(chkTien);
        chkTien->setChecked(false);
        return;
    }
    chkTien->setChecked(false);

    const bool isGame = n > 0 && n < 1000;
    showNumberTyped(isGame, how.keepBoard);
    for (QStringList &hand : lstHand)
        hand.clear();
    lstSpellen->clearSelection();

    if (isGame) {
        if (!how.keepBoard) {
            for (QLineEdit *field : txtInvoer)
                field->clear();
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

    paintFieldsWhite();
    for (int seat = 0; seat < 4; ++seat)
        setCountCellColour(seat, White);

    txtNieuwNummer->clear();
    fraNieuwNummer->setEnabled(false);

    SetFocusIfPossible(txtSpel);
}

} // namespace briqo
