// libFuzzer target: taal.ini as a user may leave it after editing it by hand. Start-up reads the
// language, the list order and the update addresses from it and writes the list order back; a
// value that was written reads back, and the other settings survive the write.

#include "fuzz_support.h"
#include "base/profile.h"
#include "base/string_table.h"
#include "shell/update_rules.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString ini = fuzz::scratchFolder() + QStringLiteral("/taal.ini");
    fuzz::putFile(ini, fuzz::bytesOf(data, size));

    const int language = languageFromIniValue(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), ini));
    FUZZ_CHECK(language == LanguageDutch || language == LanguageEnglish);
    leadingNumber(ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), ini));
    readUpdateSettings(ini);
    const QString website = ReadIni(QStringLiteral("Update"), QStringLiteral("Website"), ini);
    FUZZ_CHECK(website.size() <= 254);

    FUZZ_CHECK(WriteIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), QStringLiteral("1"), ini));
    FUZZ_CHECK(ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), ini) == QLatin1String("1"));
    FUZZ_CHECK(languageFromIniValue(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), ini)) == language);
    FUZZ_CHECK(ReadIni(QStringLiteral("Update"), QStringLiteral("Website"), ini) == website);
    return 0;
}
