#include "deal/deal.h"

#include "deal/hand_evaluation.h"

#include "base/string_ids.h"
#include "base/string_table.h"

#include <algorithm>
#include <vector>

namespace briqo {

QString SeatName(int seat, int languageNumber) { return ResString(Str::North + seat, languageNumber); }

QString SuitName(int suit, int languageNumber) { return ResString(Str::Spades + suit, languageNumber); }

QString VulnerabilityName(int value, int languageNumber)
{
    return ResString(Str::VulnerableNone + value, languageNumber);
}

QString RankAlphabet(int languageNumber)
{
    // Asked for at every holding sorted (a large file sorts millions): the table is looked up
    // once per language. The table gives Dutch for any other language number.
    static const QString dutch = ResString(Str::CardLetters, LanguageDutch).left(13);
    static const QString english = ResString(Str::CardLetters, LanguageEnglish).left(13);
    return languageNumber == LanguageEnglish ? english : dutch;
}

QString AcceptedCardChars(int languageNumber) { return ResString(Str::CardLetters, languageNumber); }

QString CardName(QChar letter, int languageNumber)
{
    const int p = RankAlphabet(languageNumber).indexOf(letter) + 1;
    if (p >= 9 && p <= 13)
        return ResString(Str::Ace + (p - 9), languageNumber);
    return QString(letter);
}

int DealerOf(long long gameNumber)
{
    if (gameNumber < 1 || gameNumber > 1260)
        return North;
    return static_cast<int>((gameNumber - 1) % 4);
}

int VulnerabilityOf(long long gameNumber)
{
    static const char pattern[] = "0123123023013012";
    if (gameNumber < 1 || gameNumber > 1008)
        return 0;
    return pattern[(gameNumber - 1) % 16] - '0';
}

QString tensAsT(const QString &holding)
{
    QString t = holding;
    return t.replace(QLatin1String("10"), QLatin1String("T"));
}

QString tensAs10(const QString &holding)
{
    QString t = holding;
    return t.replace(QLatin1Char('T'), QLatin1String("10"));
}

int CardCount(const QString &holding) { return static_cast<int>(tensAsT(holding).size()); }

int CardCount(const Holdings &deal, int seat)
{
    int count = 0;
    for (int suit = 0; suit < 4; ++suit)
        count += CardCount(deal[FieldOf(seat, suit)]);
    return count;
}

int HighCardPoints(const Holdings &deal, int seat, int languageNumber)
{
    return handHcp(handFromDeal(deal, seat, languageNumber));
}

QString sortedHolding(const QString &holding, int languageNumber)
{
    const bool hadTen = holding.contains(QLatin1String("10"));
    const QString alphabet = RankAlphabet(languageNumber);
    std::vector<std::pair<int, QChar>> keyed;
    for (const QChar c : tensAsT(holding)) {
        const int p = alphabet.indexOf(c) + 1;
        if (p == 0)
            continue;
        // Ace (p 9) gets the smallest key, then king .. ten, then nine down to two.
        keyed.emplace_back(p >= 9 ? 92 + p : 114 - p, c);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QString result;
    for (const auto &k : keyed)
        result += k.second;
    return hadTen ? tensAs10(result) : result;
}

} // namespace briqo
