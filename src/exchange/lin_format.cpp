#include "exchange/lin_format.h"

#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/pbn_text.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace briqo {

namespace {

constexpr int MaxProblems = 500;
const QString HandViewer = QStringLiteral("https://www.bridgebase.com/tools/handviewer.html");

QString linCall(const ExchangeCall &call)
{
    switch (call.kind) {
    case ExchangeCall::Bid:
        return QString::number(call.level) + QStringLiteral("CDHSN")[call.strain];
    case ExchangeCall::Pass:
        return QStringLiteral("p");
    case ExchangeCall::Double:
        return QStringLiteral("d");
    case ExchangeCall::Redouble:
        return QStringLiteral("r");
    }
    return {};
}

int linVulnerability(const QString &value)
{
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("o") || v == QLatin1String("0") || v == QLatin1String("-"))
        return 0;
    if (v == QLatin1String("n"))
        return 1;
    if (v == QLatin1String("e"))
        return 2;
    if (v == QLatin1String("b"))
        return 3;
    return -1;
}

} // namespace

LinReadResult readLin(const QString &text)
{
    LinReadResult result;
    const QStringList parts = text.split(QLatin1Char('|'));
    ExchangeBoard board;
    bool open = false;
    int line = 1;
    auto close = [&] {
        if (open)
            result.boards.append(board);
        board = ExchangeBoard {};
        open = false;
    };
    auto start = [&] {
        if (!open) {
            open = true;
            board.line = line;
        }
    };
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString rawKey = parts[i];
        const QString &value = parts[i + 1];
        const int keyLine = line + int(rawKey.count(QLatin1Char('\n')));
        line = keyLine + int(value.count(QLatin1Char('\n')));
        const QString key = rawKey.trimmed().toLower();
        static const QRegularExpression keyShape(QStringLiteral("^[a-z]{2}$"));
        if (!keyShape.match(key).hasMatch()) {
            if (result.problems.size() < MaxProblems)
                result.problems.append({exchange_text::SyntaxNotUnderstood, keyLine, {}, rawKey.trimmed().left(40)});
            continue;
        }
        if (key == QLatin1String("qx") || (key == QLatin1String("md") && board.hasDeal))
            close();
        if (key == QLatin1String("md")) {
            start();
            int dealer = -1;
            board.hasDeal = true;
            board.deal = parseLinDeal(value, &dealer);
            board.deal.recognised = true;
            board.dealer = dealer;
            board.auctionSeat = dealer;
        } else if (key == QLatin1String("qx") || key == QLatin1String("ah")) {
            start();
            static const QRegularExpression number(QStringLiteral("(\\d+)"));
            const QRegularExpressionMatch m = number.match(value);
            if (m.hasMatch() && (key == QLatin1String("ah") || board.boardText.isEmpty()))
                board.boardText = m.captured(1);
        } else if (key == QLatin1String("sv")) {
            start();
            board.vulnerabilityText = value.trimmed();
            board.vulnerability = linVulnerability(value);
        } else if (key == QLatin1String("mb")) {
            start();
            board.hasAuction = true;
            if (!board.auctionProblem.isEmpty())
                continue;
            if (const std::optional<ExchangeCall> call = readCall(value.trimmed()))
                board.calls.append(*call);
            else
                board.auctionProblem = value.trimmed();
        } else if (key == QLatin1String("an")) {
            if (!board.calls.isEmpty()) {
                board.calls.last().noted = true;
                board.calls.last().noteText = value.trimmed();
                if (cutToLength(board.calls.last().noteText, MaxNoteLength) && result.problems.size() < MaxProblems)
                    result.problems.append({exchange_text::CommentaryCut, keyLine, board.boardText, {}});
            }
        } else if (key == QLatin1String("pc")) {
            if (!board.lead)
                board.lead = parseCard(value);
        }
    }
    close();
    return result;
}

QString writeLin(const ExchangeBoard &board, int languageNumber)
{
    auto pair = [](const char *key, const QString &value) {
        return QLatin1String(key) + QLatin1Char('|') + value + QLatin1Char('|');
    };
    const int dealer = board.dealer >= 0 ? board.dealer : 0;
    QStringList players;
    for (int seat : {South, West, North, East})
        players << SeatName(seat, languageNumber);
    QString out = pair("pn", players.join(QLatin1Char(','))) + pair("st", {});
    if (board.deal.deal)
        out += pair("md", formatLinDeal(*board.deal.deal, dealer));
    out += pair("rh", {}) + pair("ah", QStringLiteral("Board ") + board.boardText);
    static const char *const vulnerability[] = {"o", "n", "e", "b"};
    out += pair("sv",
        QLatin1String(board.vulnerability >= 0 && board.vulnerability < 4 ? vulnerability[board.vulnerability] : "o"));
    for (const ExchangeCall &call : board.calls) {
        out += pair("mb", linCall(call));
        if (call.noted)
            out += pair("an", latin1Form(call.noteText).replace(QLatin1Char('|'), QLatin1Char('/')));
    }
    if (board.lead)
        out += pair("pc", cardText(*board.lead));
    return out + pair("pg", {});
}

QString handViewerLink(const ExchangeBoard &board, int languageNumber)
{
    return HandViewer + QStringLiteral("?lin=")
        + QString::fromLatin1(QUrl::toPercentEncoding(writeLin(board, languageNumber)));
}

QString linOfHandViewerLink(const QString &link)
{
    const QString t = link.trimmed();
    const qsizetype q = t.indexOf(QLatin1Char('?'));
    if (q < 0 || !(t.contains(QLatin1String("://")) || t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)))
        return {};
    QString query = t.mid(q + 1);
    const qsizetype hash = query.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        query.truncate(hash);
    // "+" stands for a blank in a query.
    const QUrlQuery items(query.replace(QLatin1Char('+'), QLatin1String("%20")));
    if (items.hasQueryItem(QStringLiteral("lin")))
        return items.queryItemValue(QStringLiteral("lin"), QUrl::FullyDecoded);
    QStringList hands;
    for (const char *seat : {"s", "w", "n", "e"})
        hands << items.queryItemValue(QLatin1String(seat), QUrl::FullyDecoded);
    int given = 0;
    for (const QString &h : hands)
        given += h.isEmpty() ? 0 : 1;
    if (given < 3)
        return {};
    QString dealer;
    const QString d = items.queryItemValue(QStringLiteral("d")).toLower();
    if (!d.isEmpty()) {
        const int seat = QStringLiteral("nesw").indexOf(d[0]);
        if (seat >= 0)
            dealer = QString::number(linDealerDigit(seat));
    }
    return QStringLiteral("md|") + dealer + hands.join(QLatin1Char(',')) + QLatin1Char('|');
}

} // namespace briqo
