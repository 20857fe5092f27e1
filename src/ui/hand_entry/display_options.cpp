// The display options of the bottom strip: points visible, the ten written "10", hidden hands.

#include "ui/main_window/frm_bordix.h"

#include "base/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

void frmBordix::chkPunten_Click()
{
    const bool visible = chkPunten->isChecked();
    for (int seat = 0; seat < 4; ++seat)
        if (!seatHidden(seat))
            lblPunten[seat]->setVisible(visible);
    cmdFocus->setFocus();
}

void frmBordix::chkTien_Click()
{
    cmdFocus->setFocus();
    const bool asTen = chkTien->isChecked();
    auto convert = [asTen](const QString &text) { return asTen ? tensAs10(tensAsT(text)) : tensAsT(text); };

    for (QLineEdit *field : txtInvoer)
        writeHolding(field, convert(field->text()));
    for (QStringList &hand : lstHand)
        for (QString &item : hand)
            item = convert(item);
    // The lead's card is placed anew: "10" is wider than "T".
    if (asTen && lblVulin[6]->text() == QLatin1String("T"))
        picAlles->setLeadCard(QStringLiteral("10"));
    else if (!asTen && lblVulin[6]->text() == QLatin1String("10"))
        picAlles->setLeadCard(QStringLiteral("T"));
}

void frmBordix::chkNietZichtbaar_Click(int seat)
{
    cmdFocus->setFocus();
    if (!chkNietZichtbaar[seat]->isChecked()) {
        for (int suit = 0; suit < 4; ++suit)
            txtInvoer[FieldOf(seat, suit)]->clear();
        lblPunten[seat]->hide();
        m_seatHidden[seat] = true;
    } else {
        for (int suit = 0; suit < 4; ++suit)
            writeHolding(txtInvoer[FieldOf(seat, suit)], lstHand[seat].value(suit));
        lblPunten[seat]->setVisible(chkPunten->isChecked());
        m_seatHidden[seat] = false;
    }
    cmdFocus->setFocus();
}

} // namespace briqo
