#include "keys/key_sender.h"

#include <QTest>

using namespace briqo;

namespace {

// A small US-like layout. Scan codes are 1000 + the key code, so they stand out in the expected
// event lists; a scan asked in another layout than the current one comes back as 0xDEAD.
class FakeKeyPlatform : public KeyPlatform {
public:
    PlatformVersion version {2, 10, 0};
    quintptr layout = 0x04090409;
    bool capsLock = false;
    mutable int otherCalls = 0; // every query besides sendInput and runtimeSendKeys
    std::vector<std::vector<KeyInput>> sent;
    QStringList runtimeTexts;

    PlatformVersion platformVersion() const override
    {
        ++otherCalls;
        return version;
    }
    quintptr keyboardLayout() const override
    {
        ++otherCalls;
        return layout;
    }
    bool capsLockOn() const override
    {
        ++otherCalls;
        return capsLock;
    }
    short vkKeyScanA(unsigned char a) const override
    {
        // "é" needs AltGr+E; "§" and the rest cannot be typed.
        static const QHash<unsigned char, short> others {
            {'~', 0x1C0}, {'+', 0x1BB}, {'{', 0x1DB}, {'}', 0x1DD}, {')', 0x130}, {0xE9, 0x645}};
        ++otherCalls;
        if (a >= 'a' && a <= 'z')
            return short(a - 32);
        if (a >= 'A' && a <= 'Z')
            return short(0x100 | a);
        return (a >= '0' && a <= '9') ? short(a) : others.value(a, -1);
    }
    unsigned mapVirtualKeyExA(unsigned code, unsigned mapType, quintptr inLayout) const override
    {
        ++otherCalls;
        return (mapType == 0 && inLayout == layout) ? 1000 + code : 0xDEAD;
    }
    void sendInput(const std::vector<KeyInput> &events) override { sent.push_back(events); }
    void runtimeSendKeys(const QString &t, bool wait) override { runtimeTexts << t + u'/' + QString::number(wait); }
};

QString event(int vk, int scan, int flags) { return QStringLiteral("%1:%2:%3").arg(vk).arg(scan).arg(flags); }
QString seq(const QStringList &parts) { return parts.join(u' '); }
QString press(int vk, bool extended = false) { return seq({event(vk, 0, extended), event(vk, 1000 + vk, 2)}); }
QString times(int n, const QString &s) { return seq(QStringList(n, s)); }
QString held(int vk, const QString &inner = {}) { return seq({event(vk, 0, 0), inner, event(vk, 0, 2)}).simplified(); }
QString shifted(int vk) { return held(16, press(vk)); }
// Ctrl down, Alt down, the key, Ctrl up, Alt up: not nested.
QString altGr(int vk) { return seq({"17:0:0 18:0:0", press(vk), "17:0:2 18:0:2"}); }
QString unicode(int u) { return seq({event(0, u, 4), event(0, u, 6)}); }

// One sender on a fake platform, kept across calls as in the program.
struct Run {
    FakeKeyPlatform platform;
    KeySender sender {platform};

    // Every SendInput call so far as "vk:scan:flags" records, calls separated by " | ". A record
    // that is not a plain keyboard record (type 1, time and extra information 0) is marked "!".
    QString send(const QStringList &texts, bool wait = false)
    {
        for (const QString &text : texts)
            sender.SendKeyText(text, wait);
        QStringList calls;
        for (const auto &events : platform.sent) {
            QStringList records;
            for (const KeyInput &e : events)
                records << event(e.wVk, e.wScan, int(e.dwFlags))
                        + (e.type == InputKeyboard && e.time == 0 && e.dwExtraInfo == 0 ? "" : "!");
            calls << seq(records);
        }
        return calls.join(QStringLiteral(" | "));
    }
};

} // namespace

class TestKeySender : public QObject {
    Q_OBJECT

private slots:
    void notation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString a = press(65), b = press(66);
        QTest::newRow("Alt+Print Screen") << "%{PRINTSCREEN}" << held(18, press(44, true));
        QTest::newRow("tilde is Enter") << "~" << press(13);
        QTest::newRow("BREAK is extended, PAUSE is not") << "{BREAK}{PAUSE}" << seq({press(19, true), press(19)});
        QTest::newRow("F16 is a name, F17 is not") << "{F16}{F17 2}" << seq({press(127), times(2, shifted(70))});
        QTest::newRow("repeat is the leading number rounded half to even")
            << "{a 2x}b{a 2.5}b{a 3.5}b{a 2.6}" << seq({times(2, a), b, times(2, a), b, times(4, a), b, times(3, a)});
        QTest::newRow("repeat 0, missing or after two spaces is once") << "{a 0}b{a}b{a  3}" << seq({a, b, a, b, a});
        QTest::newRow("name is case-blind, repeated, each extended") << "{left 2}" << times(2, press(37, true));
        QTest::newRow("a brace types } or ~ as such") << "{}}{~}" << seq({shifted(0xDD), shifted(0xC0)});
        QTest::newRow("unmatched paren and braces are dropped") << "({abc{" << seq({a, b, press(67)});
        QTest::newRow("shifted group") << "+(ab)" << held(16, seq({a, b}));
        QTest::newRow("syntax inside a group is typed, tilde is Enter")
            << "(a+b{~)" << seq({a, shifted(0xBB), b, shifted(0xDB), press(13)});
        QTest::newRow("empty group types the paren") << "()" << shifted(0x30);
        QTest::newRow("prefixes nest and cover one token") << "+^ab" << seq({held(16, held(17, a)), b});
        QTest::newRow("held Shift is not pressed twice, nor kept after its token")
            << "+A|A" << seq({held(16, press(65)), "|", shifted(65)});
        QTest::newRow("trailing run of prefixes") << "++" << held(16, held(16));
        QTest::newRow("beyond 255 goes as Unicode")
            << "\u20AC\U0001F600" << seq({unicode(0x20AC), unicode(0xD83D), unicode(0xDE00)});
        QTest::newRow("untypable character, also in a brace") << "\u00A7{\u00A7 2}" << times(3, unicode(0xA7));
        QTest::newRow("AltGr character, also in a brace") << "\u00E9{\u00E9 2}" << times(3, altGr(0x45));
    }

    void notation()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Run().send(text.split(u'|')), expected); // "|" separates calls on one sender
    }

    void emptyTextCallsNothingAndOnlyOld9xPlatformsUseTheRuntimeStatement()
    {
        for (const auto &[version, runtime] : {std::pair {PlatformVersion {1, 4, 9}, true},
                 std::pair {PlatformVersion {1, 4, 10}, false}, std::pair {PlatformVersion {2, 4, 0}, false}}) {
            Run run;
            run.platform.version = version;
            run.send({QString()});
            QCOMPARE(run.platform.otherCalls, 0);
            QVERIFY(run.platform.sent.empty() && run.platform.runtimeTexts.isEmpty());
            QCOMPARE(run.send({"+{END}"}, true), runtime ? QString() : held(16, press(35, true)));
            QCOMPARE(run.platform.runtimeTexts, runtime ? QStringList {"+{END}/1"} : QStringList {});
        }
    }

    void capsLockAndLayoutAreReadAtEachCall()
    {
        Run run;
        run.send({"a"});
        // The user turns Caps Lock on and switches layout. Plain letters, not digits nor braces, keep
        // the case of the text; scan codes come from the new layout.
        run.platform.capsLock = true;
        run.platform.layout = 0x04130413;
        QCOMPARE(run.send({"aA1{a}"}), seq({press(65), "|", shifted(65), press(65), press(49), press(65)}));
    }

    void eventListGrowsAndIsSentInOneCall_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("events");
        QTest::newRow("26 free after the last token") << QString(243, u'a') << 486;
        QTest::newRow("24 free after the last token") << QString(244, u'a') << 488;
        QTest::newRow("one token past two steps") << "{a 600}" << 1200;
        QTest::newRow("huge repeat count is limited") << "{a 1e12}" << 2 * KeySender::MaxRepeatCount;
        QTest::newRow("long run of prefixes") << QString(100000, u'+') + u'a' << 200002;
    }

    void eventListGrowsAndIsSentInOneCall()
    {
        QFETCH(QString, text);
        QFETCH(int, events);
        Run run;
        run.send({text});
        QCOMPARE(run.platform.sent.size(), size_t(1));
        QCOMPARE(int(run.platform.sent.front().size()), events);
    }
};

QTEST_APPLESS_MAIN(TestKeySender)
#include "test_key_sender.moc"
