#pragma once

#include "keys/key_platform.h"

#include <QHash>
#include <QString>

#include <vector>

namespace briqo {

// Turns a text in the key notation ("%{PRINTSCREEN}", "+{END}", "(ab)", "{LEFT 2}", ...) into
// keyboard events and hands them to the platform in a single SendInput call.
//
// One sender serves the whole run: the key tables are built on first use and the held-modifier
// bits carry over from one call to the next. Calls must not overlap; a call made while another
// is still running (from inside the platform's sendInput) is ignored.
class KeySender {
public:
    explicit KeySender(KeyPlatform &platform);

    // wait only matters on the old 9x platforms, where the runtime's own statement does the work.
    void SendKeyText(const QString &text, bool &wait);

    static constexpr qsizetype InitialCapacity = 512;
    static constexpr qsizetype CapacityStep = 511;
    // A brace repeat count is held to this, so "{a 1e12}" cannot exhaust memory.
    static constexpr int MaxRepeatCount = 10000;

private:
    void ReadNextToken();
    void SendModifierPrefix(QChar c);
    void SendGroup();
    void SendBraceKey();
    void SendPlainChar(QChar c);
    void AddKeyPress(quint8 key, bool shift, bool extended, bool ctrlAlt);
    void AddUnicodeChar(quint16 u);
    void AddModifierEvent(quint16 code, bool down);
    void BuildKeyTables();

    void appendEvent(quint16 vk, quint16 scan, quint32 flags);
    void growEventList();

    KeyPlatform &m_platform;

    // Names in upper case; the extended set holds the names whose key carries the extended flag.
    QHash<QString, int> m_keyNames;
    QHash<QString, int> m_extendedKeys;
    bool m_tablesBuilt = false;

    // Bits 1 Shift, 2 Ctrl, 4 Alt, set while a prefix is in force; never reset between calls.
    int m_heldModifiers = 0;

    // State of one call.
    bool m_sending = false;
    quintptr m_layout = 0;
    QString m_text;
    qsizetype m_position = 0; // characters consumed so far (1-based index of the last one)
    std::vector<KeyInput> m_events;
    qsizetype m_capacity = 0;
};

} // namespace briqo
