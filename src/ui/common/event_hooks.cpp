#include "ui/common/event_hooks.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace briqo {

namespace {

bool movesFocus(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

} // namespace

EventHooks::EventHooks(QWidget *control)
    : QObject(control)
{
    control->installEventFilter(this);
}

EventHooks *EventHooks::of(QWidget *control)
{
    if (auto *existing = control->findChild<EventHooks *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new EventHooks(control);
}

bool EventHooks::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (onClick && w && w->isEnabled() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
            && w->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            onClick();
            // A click on a caption inside a button is that button's click, and only once; a text
            // box still finishes its own handling of the click.
            return !qobject_cast<QLineEdit *>(w);
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (onDoubleClick && w && w->isEnabled())
            onDoubleClick();
        break;
    case QEvent::MouseButtonPress:
        if (onMousePress && w && w->isEnabled()) {
            const QPoint p = static_cast<QMouseEvent *>(event)->position().toPoint();
            onMousePress(p.x(), p.y());
        }
        break;
    case QEvent::MouseMove:
        if (onMouseMove) {
            const QPoint p = static_cast<QMouseEvent *>(event)->position().toPoint();
            onMouseMove(p.x(), p.y());
        }
        break;
    case QEvent::FocusIn:
        if (onFocusIn && movesFocus(static_cast<QFocusEvent *>(event)))
            onFocusIn();
        break;
    case QEvent::FocusOut:
        if (onFocusOut && movesFocus(static_cast<QFocusEvent *>(event)))
            onFocusOut();
        break;
    case QEvent::KeyPress:
        if (onKey && onKey(static_cast<QKeyEvent *>(event)))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace briqo
