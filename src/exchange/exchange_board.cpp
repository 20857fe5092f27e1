#include "exchange/exchange_board.h"

#include "base/string_table.h"

namespace briqo {

QString describe(const ExchangeProblem &problem, int languageNumber)
{
    QString detail = problem.detail;
    switch (problem.detailKind) {
    case ExchangeProblem::Plain:
        break;
    case ExchangeProblem::Text:
        detail = fillPlaceholder(ResString(problem.detailValue, languageNumber), QLatin1Char('*'), problem.detail);
        break;
    case ExchangeProblem::SeatName:
        detail = briqo::SeatName(problem.detailValue, languageNumber);
        break;
    }
    // One pass over the message, so a "~" or "#" that the file itself wrote stays as it is.
    QString out;
    for (QChar c : ResString(problem.text, languageNumber)) {
        if (c == QLatin1Char('~'))
            out += problem.board;
        else if (c == QLatin1Char('#'))
            out += QString::number(problem.line);
        else if (c == QLatin1Char('*'))
            out += detail;
        else
            out += c;
    }
    return out;
}

} // namespace briqo
