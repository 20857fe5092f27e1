#include "analysis/par_text.h"

#include "base/string_table.h"

#include <cstdlib>

namespace briqo {

QString strainSymbol(int strain, int languageNumber)
{
    switch (strain) {
    case 0:
        return QStringLiteral("\u2663");
    case 1:
        return QStringLiteral("\u2666");
    case 2:
        return QStringLiteral("\u2665");
    case 3:
        return QStringLiteral("\u2660");
    default:
        // The Dutch say "Sans Atout", as the bidding box's no-trump picture reads.
        return languageNumber == LanguageEnglish ? QStringLiteral("NT") : QStringLiteral("SA");
    }
}

QString seatInitial(int seat, int languageNumber) { return SeatName(seat, languageNumber).left(1); }

QString sideInitials(int side, int languageNumber)
{
    return side == 0 ? seatInitial(North, languageNumber) + seatInitial(South, languageNumber)
                     : seatInitial(East, languageNumber) + seatInitial(West, languageNumber);
}

QString parScoreText(int parScore, int languageNumber)
{
    if (parScore == 0)
        return QStringLiteral("0");
    return sideInitials(parScore > 0 ? 0 : 1, languageNumber) + QStringLiteral(" +")
        + QString::number(std::abs(parScore));
}

QString parContractText(const ParContract &contract, int languageNumber)
{
    QString text = QString::number(contract.level) + strainSymbol(contract.strain, languageNumber);
    if (contract.doubled)
        text += QLatin1Char('x');
    text += QLatin1Char(' ');
    if (contract.declarers.size() == 1)
        text += seatInitial(contract.declarers.first(), languageNumber);
    else if (!contract.declarers.isEmpty())
        text += sideInitials(contract.declarers.first() % 2, languageNumber);
    if (contract.overtricks > 0)
        text += QStringLiteral(" +") + QString::number(contract.overtricks);
    if (contract.undertricks > 0)
        text += QStringLiteral(" -") + QString::number(contract.undertricks);
    return text;
}

QString parSummaryText(const DoubleDummyResult &result, int languageNumber)
{
    QStringList contracts;
    for (const ParContract &contract : result.parContracts)
        contracts << parContractText(contract, languageNumber);
    const QString score = parScoreText(result.parScore, languageNumber);
    return contracts.isEmpty() ? score : score + QStringLiteral(": ") + contracts.join(QStringLiteral(", "));
}

} // namespace briqo
