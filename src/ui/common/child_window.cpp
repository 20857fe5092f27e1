#include "ui/common/child_window.h"

#include "base/twips.h"
#include "ui/main_window/frm_bordix.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace briqo {

bool closeOnEscape(QWidget *window, QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || (w != window && !window->isAncestorOf(w)))
        return false;
    window->close();
    return true;
}

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
