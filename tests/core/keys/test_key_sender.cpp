#include "keys/key_sender.h"

#include <QTest>

using namespace briqo;

namespace {

// A small US-like layout. Scan codes are 1000 + the key code, so they stand out in the expected
// event lists; a scan asked in another layout than the current one comes back as 0xDEAD.
class FakeKeyPlatform : public KeyPlatform
{
public:
    PlatformVersion version{2, 10, 0};
    quintptr layout = 0x04090409;
    bool capsLock = false;
    mutable int otherCalls = 0; // every query besides sendInput and runtimeSendKeys
    std::vector<std::vector<KeyInput>> sent;
    QStringList runtimeTexts;

    PlatformVersion platformVersion() const override { ++otherCalls; return version; }
    quintptr keyboardLayout() const override { ++otherCalls; return layout; }
    bool capsLockOn() const override { ++otherCalls; return capsLock; }

    short vkKeyScanA(unsigned char a) const override
    {
        ++otherCalls;
        if (a >= 'a' && a <= 'z')
            return short('A' + (a - 'a'));
        if (a >= 'A' && a <= 'Z')
            return short(0x100 | a);
        if ((a >= '0' && a <= '9') || a == ' ')
            return short(a);
        switch (a) {
        case '~': return 0x1C0;
        case '+': return 0x1BB;
        case '{': return 0x1DB;
        case '}': return 0x1DD;
        case ')': return 0x130;
        case 0xE9: return 0x645; // "é" needs AltGr+E
        default: return -1;      // "§" and the rest cannot be typed
        }
    }

    unsigned mapVirtualKeyExA(unsigned code, unsigned mapType, quintptr inLayout) const override
    {
        ++otherCalls;
        return (mapType == 0 && inLayout == layout) ? 1000 + code : 0xDEAD;
    }

    void sendInput(const std::vector<KeyInput> &events) override { sent.push_back(events); }

    void runtimeSendKeys(const QString &text, bool wait) override
    {
        runtimeTexts << QStringLiteral("%1/%2").arg(text).arg(wait);
    }
};

QString event(int vk, int scan, int flags)
{
    return QStringLiteral("%1:%2:%3").arg(vk).arg(scan).arg(flags);
}

QString seq(const QStringList &parts)
{
    return parts.join(u' ');
}

QString press(int vk, bool extended = false)
{
    return seq({event(vk, 0, extended ? 1 : 0), event(vk, 1000 + vk, 2)});
}

QString times(int n, const QString &s)
{
    return seq(QStringList(n, s));
}

QString held(int modifier, const QString &inner = {})
{
    QStringList parts{event(modifier, 0, 0), inner, event(modifier, 0, 2)};
    parts.removeAll(QString());
    return seq(parts);
}

QString shifted(int vk) { return held(16, press(vk)); }
// Ctrl down, Alt down, the key, Ctrl up, Alt up: not nested.
QString altGr(int vk) { return seq({"17:0:0 18:0:0", press(vk), "17:0:2 18:0:2"}); }
QString unicode(int u) { return seq({event(0, u, 4), event(0, u, 6)}); }

// Every SendInput call as "vk:scan:flags" records, calls separated by " | ".
QString describe(const FakeKeyPlatform &platform)
{
    QStringList calls;
    for (const auto &events : platform.sent) {
        QStringList records;
        for (const KeyInput &e : events)
            records << event(e.wVk, e.wScan, int(e.dwFlags));
        calls << seq(records);
    }
    return calls.join(QStringLiteral(" | "));
}

QString sendAll(FakeKeyPlatform &platform, KeySender &sender, const QStringList &texts)
{
    for (const QString &text : texts) {
        bool wait = false;
        sender.SendKeyText(text, wait);
    }
    return describe(platform);
}

} // namespace

class TestKeySender : public QObject
{
    Q_OBJECT

private slots:
    void notation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString a = press(65);
        const QString b = press(66);

        QTest::newRow("Alt+Print Screen") << "%{PRINTSCREEN}" << held(18, press(44, true));
        QTest::newRow("Shift+End") << "+{END}" << held(16, press(35, true));
        QTest::newRow("tilde is Enter") << "~" << press(13);
        QTest::newRow("ENTER is not extended") << "{ENTER}" << press(13);
        QTest::newRow("BREAK is extended") << "{BREAK}" << press(19, true);
        QTest::newRow("PAUSE is not") << "{PAUSE}" << press(19);
        QTest::newRow("F16") << "{F16}" << press(127);
        QTest::newRow("names are case-blind") << "{home}" << press(36, true);
        QTest::newRow("repeat 3") << "{a 3}" << times(3, a);
        QTest::newRow("repeat 2.5 rounds to even") << "{a 2.5}" << times(2, a);
        QTest::newRow("repeat 3.5 rounds to even") << "{a 3.5}" << times(4, a);
        QTest::newRow("repeat 2.6") << "{a 2.6}" << times(3, a);
        QTest::newRow("repeat 0 is once") << "{a 0}" << a;
        QTest::newRow("repeat x is once") << "{a x}" << a;
        QTest::newRow("repeat missing") << "{a}" << a;
        QTest::newRow("repeat leading number") << "{a 2x}" << times(2, a);
        QTest::newRow("double space leaves word 2 empty") << "{a  3}" << a;
        QTest::newRow("named key repeated") << "{LEFT 2}" << times(2, press(37, true));
        QTest::newRow("unknown name types its first character")
            << "{unknown 2}" << times(2, press(85));
        QTest::newRow("F17 is no name") << "{F17}" << shifted(70);
        QTest::newRow("brace close right after open") << "{}}" << shifted(0xDD);
        QTest::newRow("brace open") << "{{}" << shifted(0xDB);
        QTest::newRow("brace tilde is a tilde") << "{~}" << shifted(0xC0);
        QTest::newRow("unmatched brace sends nothing") << "{" << "";
        QTest::newRow("unmatched brace types the rest") << "{abc" << seq({a, b, press(67)});
        QTest::newRow("empty braces type the closing one") << "{}" << shifted(0xDD);
        QTest::newRow("shifted group") << "+(ab)" << held(16, seq({a, b}));
        QTest::newRow("group") << "(ab)" << seq({a, b});
        QTest::newRow("syntax inside a group is typed")
            << "(a+b{)" << seq({a, shifted(0xBB), b, shifted(0xDB)});
        QTest::newRow("tilde inside a group is Enter") << "(~)" << press(13);
        QTest::newRow("unmatched paren sends nothing") << "(" << "";
        QTest::newRow("empty group types the paren") << "()" << shifted(0x30);
        QTest::newRow("upper case letter") << "A" << shifted(65);
        QTest::newRow("held Shift is not pressed twice") << "+A" << held(16, a);
        QTest::newRow("prefixes nest") << "+^a" << held(16, held(17, a));
        QTest::newRow("prefix covers one token") << "%ab" << seq({held(18, a), b});
        QTest::newRow("trailing Shift") << "+" << held(16);
        QTest::newRow("trailing Ctrl") << "a^" << seq({a, held(17)});
        QTest::newRow("trailing Alt") << "%" << held(18);
        QTest::newRow("trailing run of prefixes") << "++" << held(16, held(16));
        QTest::newRow("euro sign") << "\u20AC" << unicode(0x20AC);
        QTest::newRow("surrogate pair") << "\U0001F600" << seq({unicode(0xD83D), unicode(0xDE00)});
        QTest::newRow("C1 control has no ANSI code") << "\u0081" << unicode(0x81);
        QTest::newRow("untypable character") << "\u00A7" << unicode(0xA7);
        QTest::newRow("AltGr character") << "\u00E9" << altGr(0x45);
        QTest::newRow("AltGr character in a brace") << "{\u00E9 2}" << times(2, altGr(0x45));
        QTest::newRow("untypable brace goes as Unicode") << "{\u00A7 2}" << times(2, unicode(0xA7));
    }

    void notation()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        FakeKeyPlatform platform;
        KeySender sender(platform);
        QCOMPARE(sendAll(platform, sender, {text}), expected);
    }

    void capsLockKeepsTheCaseOfLettersOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower case gets Shift") << "a" << shifted(65);
        QTest::newRow("upper case loses Shift") << "A" << press(65);
        QTest::newRow("digit unaffected") << "1" << press(49);
        QTest::newRow("brace is not corrected") << "{a}" << press(65);
    }

    void capsLockKeepsTheCaseOfLettersOnly()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        FakeKeyPlatform platform;
        platform.capsLock = true;
        KeySender sender(platform);
        QCOMPARE(sendAll(platform, sender, {text}), expected);
    }

    void oldPlatformsUseTheRuntimeStatement_data()
    {
        QTest::addColumn<int>("platformId");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("runtime");
        QTest::newRow("9x 4.0") << 1 << 4 << 0 << true;
        QTest::newRow("9x 4.9") << 1 << 4 << 9 << true;
        QTest::newRow("9x 4.10") << 1 << 4 << 10 << false;
        QTest::newRow("NT 4.0") << 2 << 4 << 0 << false;
        QTest::newRow("NT 10.0") << 2 << 10 << 0 << false;
    }

    void oldPlatformsUseTheRuntimeStatement()
    {
        QFETCH(int, platformId);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(bool, runtime);
        FakeKeyPlatform platform;
        platform.version = {platformId, major, minor};
        KeySender sender(platform);
        bool wait = true;
        sender.SendKeyText(QStringLiteral("+{END}"), wait);
        QCOMPARE(platform.runtimeTexts, runtime ? QStringList{"+{END}/1"} : QStringList{});
        QCOMPARE(describe(platform), runtime ? QString() : held(16, press(35, true)));
    }

    void emptyTextMakesNoPlatformCall()
    {
        for (const int platformId : {1, 2}) {
            FakeKeyPlatform platform;
            platform.version = {platformId, 4, 0};
            KeySender sender(platform);
            bool wait = false;
            sender.SendKeyText(QString(), wait);
            QCOMPARE(platform.otherCalls, 0);
            QVERIFY(platform.sent.empty());
            QVERIFY(platform.runtimeTexts.isEmpty());
        }
    }

    void recordsAreKeyboardRecordsInTheLayoutOfTheCall()
    {
        FakeKeyPlatform platform;
        KeySender sender(platform);
        sendAll(platform, sender, {"a"});
        platform.layout = 0x04130413; // the user switched to another layout between calls
        QCOMPARE(sendAll(platform, sender, {"b"}), seq({press(65), "|", press(66)}));
        for (const auto &events : platform.sent) {
            for (const KeyInput &e : events) {
                QCOMPARE(e.type, InputKeyboard);
                QCOMPARE(e.time, 0u);
                QCOMPARE(e.dwExtraInfo, 0u);
            }
        }
    }

    void heldModifiersAreReleasedAfterTheirToken()
    {
        FakeKeyPlatform platform;
        KeySender sender(platform);
        QCOMPARE(sendAll(platform, sender, {"+a", "A"}),
                 seq({held(16, press(65)), "|", shifted(65)}));
    }

    void eventListGrowsAndIsSentInOneCall_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("events");
        QTest::addColumn<int>("capacity");
        QTest::newRow("26 free after the last token") << QString(243, u'a') << 486 << 512;
        QTest::newRow("24 free after the last token") << QString(244, u'a') << 488 << 1023;
        QTest::newRow("one token past two steps") << "{a 600}" << 1200 << 1534;
        QTest::newRow("huge repeat count is limited")
            << "{a 1e12}" << 2 * KeySender::MaxRepeatCount << 20441;
        QTest::newRow("long run of prefixes") << QString(100000, u'+') + u'a' << 200002 << 200313;
    }

    void eventListGrowsAndIsSentInOneCall()
    {
        QFETCH(QString, text);
        QFETCH(int, events);
        QFETCH(int, capacity);
        FakeKeyPlatform platform;
        KeySender sender(platform);
        bool wait = false;
        sender.SendKeyText(text, wait);
        QCOMPARE(platform.sent.size(), size_t(1));
        QCOMPARE(int(platform.sent.front().size()), events);
        QCOMPARE(int(sender.eventCapacity()), capacity);
    }
};

QTEST_APPLESS_MAIN(TestKeySender)
#include "test_key_sender.moc"
