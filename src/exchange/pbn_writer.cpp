#include "exchange/pbn_writer.h"

#include "exchange/board_game.h"
#include "exchange/pbn_text.h"

namespace briqo {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Unknown = QStringLiteral("?");
constexpr int CallsPerLine = 4;
const char *const VulnerabilityTags[] = {"None", "NS", "EW", "All"};

QString tag(const QString &name, const QString &value)
{
    return QLatin1Char('[') + name + QLatin1Char(' ') + quoteTagValue(value) + QLatin1Char(']') + CrLf;
}

QString callText(const ExchangeCall &call)
{
    switch (call.kind) {
    case ExchangeCall::Bid:
        return QString::number(call.level)
            + (call.strain == 4 ? QStringLiteral("NT") : QString(QStringLiteral("CDHS")[call.strain]));
    case ExchangeCall::Pass:
        return QStringLiteral("Pass");
    case ExchangeCall::Double:
        return QStringLiteral("X");
    case ExchangeCall::Redouble:
        return QStringLiteral("XX");
    }
    return {};
}

// The optimum result table of PBN 2.1: per declarer (N, E, S, W) the tricks in no trump, spades,
// hearts, diamonds and clubs. Its column line is written as the standard writes it, with single
// backslashes: readers take it literally, not as an escaped tag value.
QString optimumTags(const DoubleDummyResult &result)
{
    static const char *const Denominations[StrainCount] = {"C", "D", "H", "S", "NT"};
    // The score is always North-South's, so a side that loses it reads "NS -100".
    QString out = tag(QStringLiteral("OptimumScore"), QStringLiteral("NS ") + QString::number(result.parScore));
    out += QStringLiteral("[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]") + CrLf;
    for (int seat = 0; seat < 4; ++seat)
        for (int strain = NoTrumpStrain; strain >= 0; --strain)
            out += QStringLiteral("%1 %2 %3")
                       .arg(seatLetter(seat))
                       .arg(QLatin1String(Denominations[strain]))
                       .arg(result.tricks[strain][seat])
                + CrLf;
    return out;
}

} // namespace

QString pbnGameText(const ExchangeBoard &board)
{
    QString out;
    const int dealer = board.dealer >= 0 ? board.dealer : 0;
    out += tag(QStringLiteral("Event"), Unknown);
    out += tag(QStringLiteral("Site"), Unknown);
    out += tag(QStringLiteral("Date"), QStringLiteral("????.??.??"));
    out += tag(QStringLiteral("Board"), board.boardText.isEmpty() ? Unknown : board.boardText);
    for (const char *seat : {"West", "North", "East", "South"})
        out += tag(QLatin1String(seat), Unknown);
    out += tag(QStringLiteral("Dealer"), QString(seatLetter(dealer)));
    out += tag(QStringLiteral("Vulnerable"),
        board.vulnerability >= 0 && board.vulnerability < 4 ? QLatin1String(VulnerabilityTags[board.vulnerability])
                                                            : Unknown);
    // The file is declared ISO-8859-1: what only code page 1252 holds is written in its plain form.
    if (board.question)
        out += encodeCommentary(latin1Form(*board.question)) + CrLf;
    out += tag(QStringLiteral("Deal"), board.deal.deal ? formatPbnDeal(*board.deal.deal, dealer) : Unknown);
    out += tag(QStringLiteral("Scoring"), Unknown);
    const bool passedOut = board.contract == QLatin1String("Pass");
    out += tag(QStringLiteral("Declarer"), passedOut ? QString() : board.declarer.isEmpty() ? Unknown : board.declarer);
    out += tag(QStringLiteral("Contract"), board.contract.isEmpty() ? Unknown : board.contract);
    out += tag(QStringLiteral("Result"), Unknown);

    if (board.hasAuction && !board.calls.isEmpty()) {
        out += tag(QStringLiteral("Auction"), QString(seatLetter(board.auctionSeat >= 0 ? board.auctionSeat : dealer)));
        QStringList line;
        QList<QPair<int, QString>> notes;
        for (const ExchangeCall &call : board.calls) {
            QString word = callText(call);
            if (call.noted) {
                notes.append({int(notes.size()) + 1, call.noteText});
                word += QStringLiteral(" =%1=").arg(notes.size());
            }
            line << word;
            if (line.size() == CallsPerLine) {
                out += line.join(QLatin1Char(' ')) + CrLf;
                line.clear();
            }
        }
        if (board.auctionUnfinished)
            line << QStringLiteral("*");
        if (!line.isEmpty())
            out += line.join(QLatin1Char(' ')) + CrLf;
        for (const auto &note : notes)
            out += tag(QStringLiteral("Note"), QStringLiteral("%1:%2").arg(note.first).arg(latin1Form(note.second)));
    }
    if (board.lead) {
        const int leader = board.leadSeat >= 0 ? board.leadSeat : 0;
        out += tag(QStringLiteral("Play"), QString(seatLetter(leader)));
        // Only the lead is known: the other three cards of the first trick are "-", and "*" ends
        // the play that was not recorded.
        out += cardText(*board.lead) + QStringLiteral(" - - -") + CrLf + QStringLiteral("*") + CrLf;
    }
    if (board.doubleDummy && board.deal.deal)
        out += optimumTags(*board.doubleDummy);
    if (board.answer)
        out += encodeCommentary(latin1Form(*board.answer)) + CrLf;
    return out;
}

QString charactersWrittenPlain(const QList<ExchangeBoard> &boards)
{
    QString replaced;
    for (const ExchangeBoard &board : boards) {
        latin1Form(board.question.value_or(QString()), &replaced);
        latin1Form(board.answer.value_or(QString()), &replaced);
        for (const ExchangeCall &call : board.calls)
            latin1Form(call.noteText, &replaced);
    }
    return replaced;
}

QByteArray writePbn(const QList<ExchangeBoard> &boards)
{
    QString out = QStringLiteral("% PBN 2.1") + CrLf + QStringLiteral("% EXPORT") + CrLf
        + QStringLiteral("%Content-type: text/x-pbn; charset=ISO-8859-1") + CrLf + QStringLiteral("%Creator: Briqo")
        + CrLf;
    for (const ExchangeBoard &board : boards)
        out += CrLf + pbnGameText(board);
    // Every character left is Latin-1: commentary escapes the rest, tag values hold plain text.
    return out.toLatin1();
}

} // namespace briqo
