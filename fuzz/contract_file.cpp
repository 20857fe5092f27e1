// libFuzzer target: the contract file as a user may leave it after editing it by hand, shown in
// the game list's caption and tooltip and in the games overview.

#include "fuzz_support.h"
#include "output/overview_rows.h"
#include "base/string_table.h"
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
        // The games overview splits the line into declarer and contract and sorts by each.
        const OverviewRow row = overviewRowOf(entry, line);
        QList<OverviewRow> rows {row, overviewRowOf(gameFolderName(words, 6), line.left(line.size() / 2))};
        for (int column = 0; column < OverviewColumnCount; ++column)
            sortOverviewRows(rows, OverviewColumn(column));
    }

    FUZZ_CHECK(writeContractFile(path, line));
    FUZZ_CHECK(readContractFile(path) == line);
    return 0;
}
