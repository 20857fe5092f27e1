#include "ui/common/child_window.h"

#include "ui/main_window/frm_bordix.h"
#include "base/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace briqo {

double screenWidthTw(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * TwipsPerPixel : 0;
}

void returnToMainWindow(frmBordix &main)
{
    main.setEnabled(true);
    main.Form_Resize(); // centres it
    main.activateWindow();
}

} // namespace briqo
