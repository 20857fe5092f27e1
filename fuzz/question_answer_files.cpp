// libFuzzer target: the question and answer files as a user may leave them after editing them by
// hand. What is read, written again, reads the same.

#include "fuzz_support.h"
#include "store/text_file.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::scratchFolder() + QStringLiteral("/Spel 005 Vraag.txt");
    fuzz::putFile(path, fuzz::bytesOf(data, size));
    const QString text = readJoinedText(path);

    QString error;
    FUZZ_CHECK(writeTextItem(path, text, &error));
    FUZZ_CHECK(readJoinedText(path) == text);
    return 0;
}
