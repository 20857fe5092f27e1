#pragma once

#include <QObject>

#include <functional>

class QFocusEvent;

class QKeyEvent;
class QWidget;

namespace briqo {

// Connects the events of a control to a handler of the window, the way each control of the
// board has its named handlers (click, focus in and out, keys).
class EventHooks : public QObject {
    Q_OBJECT

public:
    explicit EventHooks(QWidget *control);

    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    // Only focus moves between the controls of the program's windows: the window losing or
    // regaining the activation (another program, a message box coming up) is no focus move.
    std::function<void()> onFocusIn;
    std::function<void()> onFocusOut;
    // Returns true when the key is consumed and must not reach the control.
    std::function<bool(QKeyEvent *)> onKey;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void(int x, int y)> onMousePress;

    static EventHooks *of(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace briqo
