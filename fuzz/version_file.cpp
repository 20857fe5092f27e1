// libFuzzer target: the version file the update check downloads, compared with our version.

#include "fuzz_support.h"
#include "platform/update_files.h"
#include "shell/update_rules.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::scratchFolder() + QStringLiteral("/versie.txt");
    fuzz::putFile(path, fuzz::bytesOf(data, size));
    const QString line = readVersionLine(path);
    FUZZ_CHECK(line.size() <= MaxVersionLineLength);
    isNewerVersion(line, QStringLiteral("105"));
    isNewerVersion(line, QStringLiteral("999999"));
    return 0;
}
