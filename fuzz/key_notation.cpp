// libFuzzer target: the key notation, sent by one sender over several calls as in the program
// (held modifiers carry over). The first byte picks the platform the sender finds.

#include "fuzz_support.h"
#include "keys/key_sender.h"

using namespace briqo;

namespace {

// A US-like layout that types letters, digits and a few signs and refuses the rest.
class FuzzKeyPlatform : public KeyPlatform {
public:
    PlatformVersion version;
    bool capsLock = false;
    size_t events = 0;

    PlatformVersion platformVersion() const override { return version; }
    quintptr keyboardLayout() const override { return 0x04090409; }
    short vkKeyScanA(unsigned char a) const override
    {
        if (a >= 'a' && a <= 'z')
            return short(a - 32);
        if (a >= 'A' && a <= 'Z')
            return short(0x100 | a);
        if (a >= '0' && a <= '9')
            return short(a);
        switch (a) {
        case '~':
            return 0x1C0;
        case '+':
            return 0x1BB;
        case '{':
            return 0x1DB;
        case '}':
            return 0x1DD;
        case 0xE9:
            return 0x645; // AltGr+E
        default:
            return -1;
        }
    }
    unsigned mapVirtualKeyExA(unsigned code, unsigned, quintptr) const override { return code + 1000; }
    bool capsLockOn() const override { return capsLock; }
    void sendInput(const std::vector<KeyInput> &sent) override
    {
        for (const KeyInput &e : sent)
            FUZZ_CHECK(e.type == InputKeyboard);
        events += sent.size();
    }
    void runtimeSendKeys(const QString &, bool) override { }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzKeyPlatform platform;
    platform.version = data[0] & 1 ? PlatformVersion {1, 4, 10} : PlatformVersion {2, 10, 0};
    platform.capsLock = data[0] & 2;
    KeySender sender(platform);
    for (const QByteArray &text : fuzz::parts(fuzz::bytesOf(data + 1, size - 1), 4)) {
        bool wait = data[0] & 4;
        sender.SendKeyText(QString::fromUtf8(text), wait);
    }
    return 0;
}
