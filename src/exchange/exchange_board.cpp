#include "exchange/exchange_board.h"

#include "base/string_table.h"

#include <algorithm>

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

std::optional<ExchangeCall> readCall(const QString &token)
{
    QString t = token;
    while (!t.isEmpty() && (t.endsWith(QLatin1Char('!')) || t.endsWith(QLatin1Char('?'))))
        t.chop(1);
    const QString u = t.toUpper();
    ExchangeCall call;
    call.token = token;
    if (u == QLatin1String("PASS") || u == QLatin1String("P")) {
        call.kind = ExchangeCall::Pass;
        return call;
    }
    if (u == QLatin1String("X") || u == QLatin1String("DBL") || u == QLatin1String("D")) {
        call.kind = ExchangeCall::Double;
        return call;
    }
    if (u == QLatin1String("XX") || u == QLatin1String("RDBL") || u == QLatin1String("R")) {
        call.kind = ExchangeCall::Redouble;
        return call;
    }
    // A level 1..7 and a strain: C, D, H, S, N or NT, or SA (sans atout).
    if (u.size() < 2 || u.size() > 3 || u[0] < QLatin1Char('1') || u[0] > QLatin1Char('7'))
        return std::nullopt;
    const QStringView strain = QStringView(u).mid(1);
    static const QString strains[] = {QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("H"),
        QStringLiteral("S"), QStringLiteral("NT"), QStringLiteral("N"), QStringLiteral("SA")};
    if (std::none_of(std::begin(strains), std::end(strains), [&](const QString &s) { return strain == s; }))
        return std::nullopt;
    call.kind = ExchangeCall::Bid;
    call.level = u[0].unicode() - '0';
    call.strain = QStringLiteral("CDHS").indexOf(strain[0]);
    if (call.strain < 0 || strain.size() > 1)
        call.strain = 4;
    return call;
}

} // namespace briqo
