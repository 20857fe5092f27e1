// The two flag buttons: switching the language of the whole window, and the waving flags.

#include "ui/main_window/frm_bordix.h"

#include "base/profile.h"
#include "base/twips.h"
#include "resources/pictures.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

void frmBordix::cmdTaal_Click(int index)
{
    LanguageNumber = index;
    cmdFocus->setFocus();
    WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QString::number(index), iniPath());

    // The window starts over in the new language: a deal on screen that was not saved is gone.
    Form_Load();

    for (int seat : {0, 2}) {
        lblWind[seat]->adjustSize();
        setLeftTw(lblWind[seat], std::floor((widthTw(picAlles) - widthTw(lblWind[seat])) / 2));
        setWidthTw(lblPunten[seat], widthTw(lblWind[seat]));
        setLeftTw(lblPunten[seat], leftTw(lblWind[seat]));
    }
    txtNieuwNummer->clear();
    txtSpel->setFocus();
}

void frmBordix::timVlaggen_Timer()
{
    if (FlagFrame == 0)
        FlagFrame = 112;
    cmdTaal(10)->setIcon(picture(FlagFrame));
    cmdTaal(11)->setIcon(picture(FlagFrame + 15));
    cmdTaal(10)->setProperty("pictureId", FlagFrame);
    cmdTaal(11)->setProperty("pictureId", FlagFrame + 15);
    ++FlagFrame;
    if (FlagFrame > 126)
        FlagFrame = 112;
}

} // namespace briqo
