// libFuzzer target: the LIN reader and the hand viewer links on any bytes. Every board it gives is
// turned into a game and written as LIN and as a link again.

#include "exchange/board_game.h"
#include "exchange/lin_format.h"
#include "exchange/pasted_deal.h"
#include "exchange/pbn_text.h"
#include "base/string_table.h"

#include <cstdint>
#include <cstdlib>

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeExchangeFile(bytes);
    const QString fromLink = linOfHandViewerLink(text);
    for (const QString &lin : {text, fromLink}) {
        const LinReadResult read = readLin(lin);
        for (const ExchangeProblem &p : read.problems)
            describe(p, LanguageEnglish);
        for (const ExchangeBoard &board : read.boards) {
            const BoardAsGame made = gameFromBoard(board, LanguageDutch);
            if (!made.game)
                continue;
            const ExchangeBoard back = boardFromGame(*made.game, LanguageDutch);
            const LinReadResult again = readLin(writeLin(back, LanguageDutch));
            if (again.boards.size() != 1 || !again.problems.isEmpty())
                std::abort();
            handViewerLink(back, LanguageEnglish);
        }
    }
    parsePastedDeal(text);
    return 0;
}
