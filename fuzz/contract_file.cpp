// libFuzzer target: the contract file as a user may leave it after editing it by hand, shown in
// the game list's caption and tooltip.

#include "fuzz_support.h"
#include "shell/string_table.h"
#include "store/game_files.h"
#include "store/game_list.h"
#include "store/game_paths.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::scratchFolder() + QStringLiteral("/Spel 005 Contract.txt");
    fuzz::putFile(path, fuzz::bytesOf(data, size));
    const QString line = readContractFile(path);
    FUZZ_CHECK(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));

    for (int language : {LanguageDutch, LanguageEnglish}) {
        const GameWords words = gameWords(language);
        const QString entry = gameFolderName(words, 5);
        const QString caption = gamesFrameCaption(words, entry, line);
        FUZZ_CHECK(line.isEmpty() == (caption == words.gamesFolder));
        contractTooltip(entry, line);
    }

    FUZZ_CHECK(writeContractFile(path, line));
    FUZZ_CHECK(readContractFile(path) == line);
    return 0;
}
