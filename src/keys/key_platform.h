#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace briqo {

// Keyboard event flags and record type as the platform's keyboard input structure knows them.
constexpr quint32 InputKeyboard = 1;
constexpr quint32 KeyEventExtendedKey = 1;
constexpr quint32 KeyEventKeyUp = 2;
constexpr quint32 KeyEventUnicode = 4;

// Virtual-key codes the sender itself produces or needs to recognise.
constexpr quint16 VkReturn = 13;
constexpr quint16 VkShift = 16;
constexpr quint16 VkControl = 17;
constexpr quint16 VkMenu = 18; // Alt
constexpr quint16 VkCapital = 20;
constexpr quint16 VkSnapshot = 44; // Print Screen

// One keyboard record as the platform's SendInput takes it (INPUT with its KEYBDINPUT member).
struct KeyInput {
    quint32 type = 0;
    quint16 wVk = 0;
    quint16 wScan = 0;
    quint32 dwFlags = 0;
    quint32 time = 0;
    quint32 dwExtraInfo = 0;

    friend bool operator==(const KeyInput &, const KeyInput &) = default;
};

// Platform id 1 is the old 9x family, 2 the NT family.
struct PlatformVersion {
    int platformId = 2;
    int major = 0;
    int minor = 0;
};

// The operating-system services the keystroke sender stands on. The real program answers them
// from Qt; tests answer them from a recording fake.
class KeyPlatform {
public:
    virtual ~KeyPlatform() = default;

    virtual PlatformVersion platformVersion() const = 0;
    // The layout of the calling thread; handed back unchanged to mapVirtualKeyExA.
    virtual quintptr keyboardLayout() const = 0;
    // Low byte virtual-key code, high byte shift state (bit 0 Shift, 1 Ctrl, 2 Alt);
    // -1 when the layout cannot type the character.
    virtual short vkKeyScanA(unsigned char ansiCode) const = 0;
    // Map type 0 turns a virtual-key code into its scan code.
    virtual unsigned mapVirtualKeyExA(unsigned code, unsigned mapType, quintptr layout) const = 0;
    virtual bool capsLockOn() const = 0;
    virtual void sendInput(const std::vector<KeyInput> &events) = 0;
    // The old platforms' own keystroke statement, which reads the same notation.
    virtual void runtimeSendKeys(const QString &text, bool wait) = 0;
};

} // namespace briqo
