#include "exchange/pasted_deal.h"

#include "base/string_table.h"
#include "exchange/lin_format.h"
#include "exchange/pbn_reader.h"

namespace briqo {

namespace {

// Texts far beyond any board are not looked at: a paste of a whole document is no deal.
constexpr int MaxPastedLength = 1 << 20;

} // namespace

DealText parsePastedDeal(const QString &pasted)
{
    const QString text = pasted.trimmed();
    if (text.isEmpty() || text.size() > MaxPastedLength)
        return {};
    if (const QString lin = linOfHandViewerLink(text); !lin.isEmpty())
        return parseLinDeal(lin);
    if (text.contains(QLatin1String("md|"), Qt::CaseInsensitive))
        return parseLinDeal(text);
    if (text.contains(QLatin1String("[Deal"), Qt::CaseInsensitive)) {
        const PbnReadResult read = readPbn(text, LanguageEnglish);
        for (const ExchangeBoard &board : read.boards) {
            if (board.hasDeal)
                return board.deal;
        }
        return {};
    }
    if (const DealText pbn = parsePbnDeal(text); pbn.recognised)
        return pbn;
    return parseLinDeal(text);
}

} // namespace briqo
