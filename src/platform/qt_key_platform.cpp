#include "platform/qt_key_platform.h"

#include "platform/services.h"
#include "platform/window_picture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <array>
#include <optional>

namespace briqo {

namespace {

constexpr short ShiftState = 0x100;

// The shifted characters of the digit keys 0 to 9 on a US keyboard.
constexpr std::array<char, 10> ShiftedDigits {')', '!', '@', '#', '$', '%', '^', '&', '*', '('};

struct OemKey {
    char plain;
    char shifted;
    quint8 vk;
    quint8 scan;
};

// The punctuation keys of a US keyboard with their VK_OEM codes and set-1 scan codes.
constexpr std::array<OemKey, 11> OemKeys {{
    {';', ':', 0xBA, 0x27},
    {'=', '+', 0xBB, 0x0D},
    {',', '<', 0xBC, 0x33},
    {'-', '_', 0xBD, 0x0C},
    {'.', '>', 0xBE, 0x34},
    {'/', '?', 0xBF, 0x35},
    {'`', '~', 0xC0, 0x29},
    {'[', '{', 0xDB, 0x1A},
    {'\\', '|', 0xDC, 0x2B},
    {']', '}', 0xDD, 0x1B},
    {'\'', '"', 0xDE, 0x28},
}};

// Set-1 scan codes of the letter keys, row by row.
constexpr std::array<const char *, 3> LetterRows {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr std::array<quint8, 3> LetterRowScan {0x10, 0x1E, 0x2C};

short usKeyScan(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return short('A' + (c - 'a'));
    if (c >= 'A' && c <= 'Z')
        return short(ShiftState | c);
    if (c >= '0' && c <= '9')
        return short(c);
    for (std::size_t digit = 0; digit < ShiftedDigits.size(); ++digit) {
        if (c == static_cast<unsigned char>(ShiftedDigits[digit]))
            return short(ShiftState | ('0' + digit));
    }
    for (const OemKey &key : OemKeys) {
        if (c == static_cast<unsigned char>(key.plain))
            return key.vk;
        if (c == static_cast<unsigned char>(key.shifted))
            return short(ShiftState | key.vk);
    }
    switch (c) {
    case ' ':
        return 0x20;
    case '\r':
        return 0x0D;
    case '\t':
        return 0x09;
    case '\b':
        return 0x08;
    default:
        return -1;
    }
}

// The character a key of the US layout types, or nothing for a key that types none.
std::optional<QChar> usCharacter(quint16 vk, bool shift)
{
    const short wanted = short((shift ? ShiftState : 0) | vk);
    for (unsigned c = 32; c <= 126; ++c) {
        if (usKeyScan(static_cast<unsigned char>(c)) == wanted)
            return QChar(char16_t(c));
    }
    return std::nullopt;
}

unsigned usScanCode(unsigned vk)
{
    for (std::size_t row = 0; row < LetterRows.size(); ++row) {
        for (const char *k = LetterRows[row]; *k; ++k) {
            if (vk == static_cast<unsigned>(*k))
                return LetterRowScan[row] + unsigned(k - LetterRows[row]);
        }
    }
    if (vk == '0')
        return 0x0B;
    if (vk >= '1' && vk <= '9')
        return 0x02 + (vk - '1');
    if (vk >= 112 && vk <= 121) // F1-F10
        return 0x3B + (vk - 112);
    for (const OemKey &key : OemKeys) {
        if (vk == key.vk)
            return key.scan;
    }
    switch (vk) {
    case 8:
        return 0x0E; // Backspace
    case 9:
        return 0x0F; // Tab
    case 13:
        return 0x1C; // Enter
    case 16:
        return 0x2A; // Shift
    case 17:
        return 0x1D; // Ctrl
    case 18:
        return 0x38; // Alt
    case 20:
        return 0x3A; // Caps Lock
    case 27:
        return 0x01; // Escape
    case 32:
        return 0x39; // Space
    case 33:
        return 0x49; // Page Up
    case 34:
        return 0x51; // Page Down
    case 35:
        return 0x4F; // End
    case 36:
        return 0x47; // Home
    case 37:
        return 0x4B; // Left
    case 38:
        return 0x48; // Up
    case 39:
        return 0x4D; // Right
    case 40:
        return 0x50; // Down
    case 44:
        return 0x37; // Print Screen
    case 45:
        return 0x52; // Insert
    case 46:
        return 0x53; // Delete
    case 122:
        return 0x57; // F11
    case 123:
        return 0x58; // F12
    case 144:
        return 0x45; // Num Lock
    case 145:
        return 0x46; // Scroll Lock
    default:
        return 0;
    }
}

struct NamedKey {
    int key;
    const char *text;
};

// Keys that type no printable character, with the control text Qt gives them on a desktop.
std::optional<NamedKey> qtKey(quint16 vk)
{
    if (vk >= 112 && vk <= 135)
        return NamedKey {Qt::Key_F1 + (vk - 112), ""};
    switch (vk) {
    case 8:
        return NamedKey {Qt::Key_Backspace, "\b"};
    case 9:
        return NamedKey {Qt::Key_Tab, "\t"};
    case 13:
        return NamedKey {Qt::Key_Return, "\r"};
    case 19:
        return NamedKey {Qt::Key_Pause, ""};
    case 20:
        return NamedKey {Qt::Key_CapsLock, ""};
    case 27:
        return NamedKey {Qt::Key_Escape, "\x1b"};
    case 33:
        return NamedKey {Qt::Key_PageUp, ""};
    case 34:
        return NamedKey {Qt::Key_PageDown, ""};
    case 35:
        return NamedKey {Qt::Key_End, ""};
    case 36:
        return NamedKey {Qt::Key_Home, ""};
    case 37:
        return NamedKey {Qt::Key_Left, ""};
    case 38:
        return NamedKey {Qt::Key_Up, ""};
    case 39:
        return NamedKey {Qt::Key_Right, ""};
    case 40:
        return NamedKey {Qt::Key_Down, ""};
    case 41:
        return NamedKey {Qt::Key_Select, ""};
    case 42:
        return NamedKey {Qt::Key_Print, ""};
    case 45:
        return NamedKey {Qt::Key_Insert, ""};
    case 46:
        return NamedKey {Qt::Key_Delete, "\x7f"};
    case 47:
        return NamedKey {Qt::Key_Help, ""};
    case 144:
        return NamedKey {Qt::Key_NumLock, ""};
    case 145:
        return NamedKey {Qt::Key_ScrollLock, ""};
    default:
        return std::nullopt;
    }
}

std::optional<Qt::KeyboardModifier> modifierOf(quint16 vk)
{
    // The left and right variants (160-165) count as the keys themselves.
    switch (vk) {
    case VkShift:
    case 160:
    case 161:
        return Qt::ShiftModifier;
    case VkControl:
    case 162:
    case 163:
        return Qt::ControlModifier;
    case VkMenu:
    case 164:
    case 165:
        return Qt::AltModifier;
    default:
        return std::nullopt;
    }
}

// Qt names a character key by the upper-case form of what it types.
int keyForCharacter(char32_t ucs4) { return static_cast<int>(QChar::toUpper(ucs4)); }

} // namespace

PlatformVersion QtKeyPlatform::platformVersion() const { return {2, 10, 0}; }

quintptr QtKeyPlatform::keyboardLayout() const { return UsLayout; }

short QtKeyPlatform::vkKeyScanA(unsigned char ansiCode) const { return usKeyScan(ansiCode); }

unsigned QtKeyPlatform::mapVirtualKeyExA(unsigned code, unsigned mapType, quintptr) const
{
    // Only virtual key to scan code is needed; the other map types have no answer here.
    return mapType == 0 ? usScanCode(code) : 0;
}

bool QtKeyPlatform::capsLockOn() const { return false; }

void QtKeyPlatform::runtimeSendKeys(const QString &, bool) { }

void QtKeyPlatform::sendInput(const std::vector<KeyInput> &events)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();

    for (const KeyInput &e : events) {
        const bool release = (e.dwFlags & KeyEventKeyUp) != 0;

        if ((e.dwFlags & KeyEventUnicode) != 0) {
            const char16_t u = e.wScan;
            // A character beyond the first plane comes as two halves; it is typed once both
            // have arrived.
            if (QChar::isHighSurrogate(u)) {
                if (!release)
                    m_highSurrogate = u;
                continue;
            }
            if (QChar::isLowSurrogate(u) && m_highSurrogate != 0) {
                const QChar pair[2] = {QChar(m_highSurrogate), QChar(u)};
                postKey(target, release, keyForCharacter(QChar::surrogateToUcs4(pair[0], pair[1])), QString(pair, 2));
                if (release)
                    m_highSurrogate = 0;
                continue;
            }
            postKey(target, release, keyForCharacter(u), QString(QChar(u)));
            continue;
        }

        if (const auto modifier = modifierOf(e.wVk)) {
            m_modifiers.setFlag(*modifier, !release);
            continue;
        }

        // Print Screen is taken by the desktop itself; the window never sees it.
        if (e.wVk == VkSnapshot) {
            if (!release)
                capture(m_modifiers.testFlag(Qt::AltModifier));
            continue;
        }

        if (const auto c = usCharacter(e.wVk, m_modifiers.testFlag(Qt::ShiftModifier))) {
            postKey(target, release, keyForCharacter(c->unicode()), QString(*c));
        } else if (const auto named = qtKey(e.wVk)) {
            postKey(target, release, named->key, QString::fromLatin1(named->text));
        }
    }
}

void QtKeyPlatform::postKey(QWidget *target, bool release, int key, const QString &text) const
{
    if (!target)
        return;
    // Posted rather than sent: the keys arrive when the caller lets the event queue run, after
    // whatever the window had already queued.
    QCoreApplication::postEvent(
        target, new QKeyEvent(release ? QEvent::KeyRelease : QEvent::KeyPress, key, m_modifiers, text));
}

void QtKeyPlatform::capture(bool activeWindowOnly) const
{
    // The picture is taken in turn with the key events, so a window that was just shrunk has
    // done its pending layout and painting first.
    const QPointer<QWidget> window = QApplication::activeWindow();
    Clipboard *clipboard = m_clipboard;
    QMetaObject::invokeMethod(
        qApp,
        [window, activeWindowOnly, clipboard] {
            QImage image;
            if (activeWindowOnly) {
                if (window) {
                    QWidget *top = window->window();
                    if (auto *own = dynamic_cast<WindowPicture *>(top))
                        image = own->windowPicture();
                    else
                        image = top->grab().toImage();
                }
            } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
                image = screen->grabWindow(0).toImage();
            }
            if (image.isNull())
                return;
            if (clipboard)
                clipboard->setImage(image);
            else
                QGuiApplication::clipboard()->setImage(image);
        },
        Qt::QueuedConnection);
}

} // namespace briqo
