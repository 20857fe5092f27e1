#pragma once

#include "keys/key_platform.h"

#include <Qt>

class QWidget;

namespace briqo {

class Clipboard;

// The keyboard services of the keystroke sender on a Qt desktop. It reports an NT-family
// platform, so the sender always builds its own event list, and answers layout questions from
// a US keyboard. The events become QKeyEvents posted to the widget with the focus; they arrive
// when the caller next lets the event queue run.
//
// Modifier key events only change the held Shift/Ctrl/Alt state carried by the following key
// events; they are not delivered themselves, so a lone Alt never opens a menu bar.
// Alt+Print Screen takes a picture of the active window onto the clipboard, as the desktop
// would (a window that draws its own picture is asked for it); Print Screen alone takes the whole
// screen.
class QtKeyPlatform : public KeyPlatform {
public:
    // The clipboard the pictures go to; the system clipboard when none is set.
    void setClipboard(Clipboard *clipboard) { m_clipboard = clipboard; }

    // The handle of the US layout as the platform would give it; only handed back to us.
    static constexpr quintptr UsLayout = 0x04090409;

    PlatformVersion platformVersion() const override;
    quintptr keyboardLayout() const override;
    short vkKeyScanA(unsigned char ansiCode) const override;
    unsigned mapVirtualKeyExA(unsigned code, unsigned mapType, quintptr layout) const override;
    // Qt has no portable way to read the Caps Lock state, so it is taken as off.
    bool capsLockOn() const override;
    void sendInput(const std::vector<KeyInput> &events) override;
    // Never reached: the platform reports the NT family, which has SendInput.
    void runtimeSendKeys(const QString &text, bool wait) override;

private:
    void postKey(QWidget *target, bool release, int key, const QString &text) const;
    void capture(bool activeWindowOnly) const;

    Clipboard *m_clipboard = nullptr;
    Qt::KeyboardModifiers m_modifiers;
    char16_t m_highSurrogate = 0;
};

} // namespace briqo
