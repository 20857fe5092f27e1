#include "exchange/exchange_board.h"

#include "base/string_table.h"

#include <algorithm>
#include <string_view>

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
    case ExchangeProblem::Seat:
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

namespace {

std::optional<ExchangeCall> readCallAsText(const QString &token)
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

} // namespace

std::optional<ExchangeCall> readCall(const QString &token)
{
    // ASCII words, as nearly every file writes its calls, are read without making text; any other
    // letter goes through the text's own upper case (where one letter may become two).
    qsizetype n = token.size();
    while (n > 0 && (token[n - 1] == QLatin1Char('!') || token[n - 1] == QLatin1Char('?')))
        --n;
    char upper[4];
    if (n > qsizetype(sizeof upper))
        return std::nullopt; // no call is longer, and an ASCII word keeps its length in upper case
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = token[k].unicode();
        if (c >= 128)
            return readCallAsText(token);
        upper[k] = char(c >= u'a' && c <= u'z' ? c - 32 : c);
    }
    const std::string_view u(upper, size_t(n));
    ExchangeCall call;
    call.token = token;
    if (u == "PASS" || u == "P") {
        call.kind = ExchangeCall::Pass;
        return call;
    }
    if (u == "X" || u == "DBL" || u == "D") {
        call.kind = ExchangeCall::Double;
        return call;
    }
    if (u == "XX" || u == "RDBL" || u == "R") {
        call.kind = ExchangeCall::Redouble;
        return call;
    }
    // A level 1..7 and a strain: C, D, H, S, N or NT, or SA (sans atout).
    if (u.size() < 2 || u.size() > 3 || u[0] < '1' || u[0] > '7')
        return std::nullopt;
    const std::string_view strain = u.substr(1);
    static constexpr std::string_view strains[] = {"C", "D", "H", "S", "NT", "N", "SA"};
    if (std::none_of(std::begin(strains), std::end(strains), [&](std::string_view x) { return strain == x; }))
        return std::nullopt;
    call.kind = ExchangeCall::Bid;
    call.level = u[0] - '0';
    const size_t suit = std::string_view("CDHS").find(strain[0]);
    call.strain = strain.size() > 1 || suit == std::string_view::npos ? 4 : int(suit);
    return call;
}

} // namespace briqo
