#pragma once

class QEvent;
class QObject;
class QWidget;

namespace briqo {

class frmBordix;

// The main window is disabled while one of its own windows (the overview, the question and
// answer) is open. Those windows belong to it, so they stay in front of it and go with it, and
// are enabled again whenever the main window is disabled (disabling a window disables the
// windows it owns). Each is marked as a child window, so the main window runs its activation
// when it gets the activation back.

// Closing such a window: the main window is enabled, centred on the screen and made active.
void returnToMainWindow(frmBordix &main);

// Escape pressed anywhere in window closes it: true when the event was that key and the window
// is closing, for the window's event filter to swallow it.
bool closeOnEscape(QWidget *window, QObject *watched, QEvent *event);

// The screen width in twips of the screen a window is on (the primary screen before it is shown).
double screenWidthTw(const QWidget *window);

} // namespace briqo
