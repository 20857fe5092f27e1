#include "keys/key_sender.h"

#include <QLocale>
#include <QStringList>

#include <array>
#include <cmath>
#include <optional>

namespace briqo {

namespace {

struct KeyNameRow {
    const char *name;
    int code;
    bool extended;
};

// The named keys in the order the table is filled. BREAK and PAUSE share the Pause key and
// differ only in the extended flag.
constexpr std::array<KeyNameRow, 30> NamedKeys {{
    {"BACKSPACE", 8, false},
    {"BS", 8, false},
    {"BKSP", 8, false},
    {"BREAK", 19, true},
    {"CAPSLOCK", 20, false},
    {"DELETE", 46, true},
    {"DEL", 46, true},
    {"DOWN", 40, true},
    {"END", 35, true},
    {"ENTER", 13, false},
    {"ESC", 27, false},
    {"HELP", 47, false},
    {"HOME", 36, true},
    {"INS", 45, true},
    {"INSERT", 45, true},
    {"LEFT", 37, true},
    {"NUMLOCK", 144, true},
    {"PGDN", 34, true},
    {"PGUP", 33, true},
    {"PAUSE", 19, false},
    {"PRINT", 42, true},
    {"PRTSC", 44, true},
    {"PRTSCN", 44, true},
    {"PRINTSCRN", 44, true},
    {"PRINTSCREEN", 44, true},
    {"RIGHT", 39, true},
    {"SCROLLLOCK", 145, false},
    {"SELECT", 41, false},
    {"TAB", 9, false},
    {"UP", 38, true},
}};
constexpr int FunctionKeyCount = 16;
constexpr int VkF1 = 112;

constexpr int HeldShift = 1;
constexpr int HeldCtrl = 2;
constexpr int HeldAlt = 4;

// Free records below which the list is extended after a top-level token.
constexpr qsizetype GrowthMargin = 25;

bool isModifierPrefix(QChar c) { return c == u'+' || c == u'^' || c == u'%'; }

struct Modifier {
    quint16 code;
    int bit;
};

Modifier modifierFor(QChar c)
{
    if (c == u'+')
        return {VkShift, HeldShift};
    if (c == u'^')
        return {VkControl, HeldCtrl};
    return {VkMenu, HeldAlt};
}

// The code of a character in the system's ANSI code page, Windows-1252. Its bytes 0x80-0x9F
// stand for characters far above 255 (the euro sign, curly quotes), which never get here, so
// the C1 control characters U+0080-U+009F have no code at all.
std::optional<unsigned char> ansiCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    return std::nullopt;
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// The leading numeric value of a word, read the way BASIC's Val() reads it:
// blanks first, a sign, digits with at most one decimal point, an exponent. 0 when there is
// no number at the start.
double leadingValue(const QString &word)
{
    qsizetype i = 0;
    const qsizetype n = word.size();
    while (i < n && (word[i] == u' ' || word[i] == u'\t' || word[i] == u'\n' || word[i] == u'\r'))
        ++i;
    QString number;
    if (i < n && (word[i] == u'+' || word[i] == u'-'))
        number += word[i++];
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = word[i];
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
    }
    if (!digits)
        return 0;
    // Val also reads "D" as the exponent letter.
    if (i < n && (word[i] == u'e' || word[i] == u'E' || word[i] == u'd' || word[i] == u'D')) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (word[j] == u'+' || word[j] == u'-'))
            exponent += word[j++];
        const qsizetype firstExponentDigit = j;
        while (j < n && word[j].unicode() >= u'0' && word[j].unicode() <= u'9')
            exponent += word[j++];
        if (j > firstExponentDigit)
            number += exponent;
    }
    // Overflow gives an infinity, which the caller clamps like any other large count.
    return QLocale::c().toDouble(number);
}

// Word 2 of a brace: rounded half to even (the runtime's rounding), at least 1.
int repeatCount(const QStringList &words)
{
    if (words.size() < 2)
        return 1;
    const double value = std::nearbyint(leadingValue(words.at(1)));
    if (!(value >= 1))
        return 1;
    if (value > KeySender::MaxRepeatCount)
        return KeySender::MaxRepeatCount;
    return static_cast<int>(value);
}

} // namespace

KeySender::KeySender(KeyPlatform &platform)
    : m_platform(platform)
{ }

void KeySender::SendKeyText(const QString &text, bool &wait)
{
    if (text.isEmpty() || m_sending)
        return;

    // The 9x family before 4.10 has no SendInput; its runtime statement reads the same notation.
    const PlatformVersion version = m_platform.platformVersion();
    if (version.platformId == 1 && version.major == 4 && version.minor < 10) {
        m_platform.runtimeSendKeys(text, wait);
        return;
    }

    if (!m_tablesBuilt)
        BuildKeyTables();

    m_sending = true;
    m_layout = m_platform.keyboardLayout();
    m_events.clear();
    m_capacity = InitialCapacity;
    m_events.reserve(static_cast<size_t>(m_capacity));
    m_text = text;
    m_position = 0;

    while (m_position < m_text.size()) {
        ReadNextToken();
        if (static_cast<qsizetype>(m_events.size()) >= m_capacity - GrowthMargin)
            growEventList();
    }

    if (!m_events.empty()) {
        for (KeyInput &event : m_events)
            event.type = InputKeyboard;
        m_platform.sendInput(m_events);
    }

    m_events = {};
    m_text.clear();
    m_position = 0;
    m_sending = false;
}

void KeySender::ReadNextToken()
{
    // A modifier as the last character of the text has nothing left to apply to.
    if (m_position >= m_text.size())
        return;
    ++m_position;
    const QChar c = m_text.at(m_position - 1);
    if (isModifierPrefix(c))
        SendModifierPrefix(c);
    else if (c == u'(')
        SendGroup();
    else if (c == u'{')
        SendBraceKey();
    else
        SendPlainChar(c);
}

void KeySender::SendModifierPrefix(QChar c)
{
    // A prefix applies to the next token, which may be another prefix: "+^a" holds Shift
    // around Ctrl around "a". The run of prefixes is taken here in one loop rather than by
    // recursion, so a text of thousands of "+" cannot exhaust the stack.
    std::vector<Modifier> run {modifierFor(c)};
    AddModifierEvent(run.back().code, true);
    m_heldModifiers |= run.back().bit;
    while (m_position < m_text.size() && isModifierPrefix(m_text.at(m_position))) {
        run.push_back(modifierFor(m_text.at(m_position)));
        ++m_position;
        AddModifierEvent(run.back().code, true);
        m_heldModifiers |= run.back().bit;
    }

    ReadNextToken();

    for (auto it = run.rbegin(); it != run.rend(); ++it) {
        AddModifierEvent(it->code, false);
        m_heldModifiers &= ~it->bit;
    }
}

void KeySender::SendGroup()
{
    const qsizetype open = m_position - 1; // 0-based index of the "("
    const qsizetype close = m_text.indexOf(u')', open);
    // Unmatched or empty: only the "(" is consumed.
    if (close < 0 || close == open + 1)
        return;
    for (qsizetype i = open + 1; i < close; ++i)
        SendPlainChar(m_text.at(i));
    m_position = close + 1;
}

void KeySender::SendBraceKey()
{
    const qsizetype open = m_position - 1; // 0-based index of the "{"
    // The character right after "{" is never the closing brace, so "{}}" types "}".
    const qsizetype close = m_text.indexOf(u'}', open + 2);
    if (close < 0)
        return;
    const QString content = m_text.mid(open + 1, close - open - 1);
    const QStringList words = content.split(u' ');
    const int count = repeatCount(words);
    const QString name = words.at(0).toUpper();
    m_position = close + 1;

    const auto named = m_keyNames.constFind(name);
    if (named != m_keyNames.constEnd()) {
        const bool extended = m_extendedKeys.contains(name);
        for (int i = 0; i < count; ++i)
            AddKeyPress(static_cast<quint8>(named.value()), false, extended, false);
        return;
    }

    // Any other brace types its first character as the layout has it, with no Caps Lock
    // correction and no "~" rule. A character the layout cannot type goes as Unicode instead.
    const QChar first = content.at(0);
    const std::optional<unsigned char> ansi = ansiCode(first);
    const short scan = ansi ? m_platform.vkKeyScanA(*ansi) : short(-1);
    for (int i = 0; i < count; ++i) {
        if (scan == -1) {
            AddUnicodeChar(first.unicode());
        } else {
            const int state = (scan >> 8) & 0xFF;
            AddKeyPress(static_cast<quint8>(scan & 0xFF), (state & 1) != 0, false, (state & 6) != 0);
        }
    }
}

void KeySender::SendPlainChar(QChar c)
{
    const auto u = static_cast<qint16>(c.unicode());
    if (u < 0 || u > 255) {
        AddUnicodeChar(c.unicode());
        return;
    }

    short scan = VkReturn;
    if (c != u'~') {
        const std::optional<unsigned char> ansi = ansiCode(c);
        scan = ansi ? m_platform.vkKeyScanA(*ansi) : short(-1);
    }
    if (scan == -1) {
        AddUnicodeChar(c.unicode());
        return;
    }

    const int state = (scan >> 8) & 0xFF;
    bool shift = (state & 1) != 0;
    // With Caps Lock on the layout would swap the case of letters; swapping Shift too makes
    // the case written in the text arrive.
    if (isAsciiLetter(c) && m_platform.capsLockOn())
        shift = !shift;
    AddKeyPress(static_cast<quint8>(scan & 0xFF), shift, false, (state & 6) != 0);
}

void KeySender::AddKeyPress(quint8 key, bool shift, bool extended, bool ctrlAlt)
{
    // A Shift already held by a "+" prefix is not pressed again.
    const bool ownShift = shift && (m_heldModifiers & HeldShift) == 0;
    if (ownShift)
        AddModifierEvent(VkShift, true);
    if (ctrlAlt) {
        AddModifierEvent(VkControl, true);
        AddModifierEvent(VkMenu, true);
    }
    appendEvent(key, 0, extended ? KeyEventExtendedKey : 0);
    // The scan code goes on the key-up only, and the extended flag on the key-down only.
    const auto scan = static_cast<quint16>(m_platform.mapVirtualKeyExA(key, 0, m_layout));
    appendEvent(key, scan, KeyEventKeyUp);
    if (ctrlAlt) {
        AddModifierEvent(VkControl, false);
        AddModifierEvent(VkMenu, false);
    }
    if (ownShift)
        AddModifierEvent(VkShift, false);
}

void KeySender::AddUnicodeChar(quint16 u)
{
    appendEvent(0, u, KeyEventUnicode);
    appendEvent(0, u, KeyEventUnicode | KeyEventKeyUp);
}

void KeySender::AddModifierEvent(quint16 code, bool down) { appendEvent(code, 0, down ? 0 : KeyEventKeyUp); }

void KeySender::BuildKeyTables()
{
    for (const KeyNameRow &row : NamedKeys) {
        const QString name = QString::fromLatin1(row.name);
        m_keyNames.insert(name, row.code);
        if (row.extended)
            m_extendedKeys.insert(name, row.code);
    }
    for (int i = 0; i < FunctionKeyCount; ++i)
        m_keyNames.insert(QStringLiteral("F%1").arg(i + 1), VkF1 + i);
    m_tablesBuilt = true;
}

void KeySender::appendEvent(quint16 vk, quint16 scan, quint32 flags)
{
    // A repeat count can fill the list inside one token; it grows by the same step then.
    if (static_cast<qsizetype>(m_events.size()) >= m_capacity)
        growEventList();
    KeyInput event;
    event.wVk = vk;
    event.wScan = scan;
    event.dwFlags = flags;
    m_events.push_back(event);
}

void KeySender::growEventList()
{
    // The room is counted in steps of 511 records; the storage behind it grows geometrically,
    // so a long text is not copied again at every step.
    m_capacity += CapacityStep;
}

} // namespace briqo
