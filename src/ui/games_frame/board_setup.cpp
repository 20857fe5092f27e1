// The game-number field: what may be typed, and the board set-up that every change of the number runs.

#include "ui/main_window/frm_bordix.h"

#include <QLineEdit>
#include <QListWidget>

namespace briqo {

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

void frmBordix::txtSpel_Change()
{
    // A paste brings what cannot be typed ("abc", " 12"): the field keeps its digits only.
    QString digits = txtSpel->text();
    digits.removeIf([](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
    if (digits != txtSpel->text()) {
        const QSignalBlocker quiet(txtSpel);
        txtSpel->setText(digits);
    }
    gameNumberTyped(digits);
}

void frmBordix::setGameNumberText(const QString &text)
{
    if (text == txtSpel->text())
        return;
    {
        const QSignalBlocker quiet(txtSpel);
        txtSpel->setText(text);
    }
    gameNumberTyped(text);
}

void frmBordix::gameNumberTyped(const QString &text)
{
    const bool newGame = leadingNumber(text) > 0;
    // Answering Yes to the question about unsaved calls saves the board under this number and
    // moves it on to the next: the set-up has been run for that one.
    perform([this, text](Answer unsaved) { return m_board.setGameNumber(text, unsaved); }, AfterSave::Done);
    if (newGame) {
        lstSpellen->clearSelection();
        txtNieuwNummer->clear();
    }
}

} // namespace briqo
