// libFuzzer target: the PBN reader on any bytes. Every board it gives is turned into a game, back
// into a board and written again; once written, a game must come back from its own file unchanged.

#include "exchange/pbn_reader.h"
#include "base/string_table.h"
#include "exchange/board_game.h"
#include "exchange/pasted_deal.h"
#include "exchange/pbn_text.h"
#include "exchange/pbn_writer.h"

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
            if (!back.game)
                std::abort();
            // Characters that ISO-8859-1 lacks are written in a plain form; from then on the game
            // comes back from its own file unchanged.
            const QByteArray second = writePbn({boardFromGame(*back.game, language)});
            const PbnReadResult third = readPbn(decodeExchangeFile(second), language);
            if (third.boards.size() != 1 || !third.problems.isEmpty())
                std::abort();
            const BoardAsGame stable = gameFromBoard(third.boards.first(), language);
            if (!stable.game || *stable.game != *back.game)
                std::abort();
        }
    }
    parsePastedDeal(text);
    return 0;
}
