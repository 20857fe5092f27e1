#include "output/child_window.h"

#include "shell/frm_bordix.h"
#include "shell/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace briqo {

namespace {

QRect screenArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

void centreOnScreen(QWidget *window)
{
    const QRect area = screenArea(window);
    const QRect frame = window->frameGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

double screenWidthTw(const QWidget *window) { return screenArea(window).width() * TwipsPerPixel; }

void returnToMainWindow(frmBordix &main)
{
    main.setEnabled(true);
    centreOnScreen(&main);
    main.activateWindow();
    main.Form_Activate();
}

} // namespace briqo
