// libFuzzer target: the PBN reader on any bytes. Every board it gives is turned into a game, back
// into a board and written again; a game must come back from its own file unchanged.

#include "exchange/pbn_reader.h"
#include "exchange/board_game.h"
#include "exchange/pasted_deal.h"
#include "exchange/pbn_text.h"
#include "exchange/pbn_writer.h"
#include "base/string_table.h"

#include <cstdint>
#include <cstdlib>

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeExchangeFile(bytes);
    for (int language : {LanguageDutch, LanguageEnglish}) {
        const PbnReadResult read = readPbn(text, language);
        for (const ExchangeProblem &p : read.problems)
            describe(p, language);
        for (const ExchangeBoard &board : read.boards) {
            const BoardAsGame made = gameFromBoard(board, language);
            for (const ExchangeProblem &p : made.problems)
                describe(p, language);
            if (!made.game)
                continue;
            const QByteArray file = writePbn({boardFromGame(*made.game, language)});
            const PbnReadResult again = readPbn(decodeExchangeFile(file), language);
            if (again.boards.size() != 1 || !again.problems.isEmpty())
                std::abort();
            const BoardAsGame back = gameFromBoard(again.boards.first(), language);
            if (!back.game || *back.game != *made.game)
                std::abort();
        }
    }
    parsePastedDeal(text);
    return 0;
}
