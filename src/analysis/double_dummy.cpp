#include "analysis/double_dummy.h"

#include "analysis/dds_library.h"
#include "analysis/double_dummy_cache.h"
#include "base/string_table.h"
#include "deal/hand_rules.h"

#include <algorithm>
#include <mutex>

namespace briqo {

namespace {

// The solver numbers suits top down (0 spades .. 3 clubs, 4 no trump), as our hands do, but the
// auction numbers strains bottom up.
constexpr int solverStrain(int strain) { return strain == NoTrumpStrain ? 4 : 3 - strain; }

// A par contract's denomination: 0 no trump, 1 spades .. 4 clubs.
constexpr int strainOfParDenomination(int denom) { return denom == 0 ? NoTrumpStrain : 4 - denom; }

// The solver codes vulnerability 0 none, 1 both, 2 North-South, 3 East-West.
constexpr int solverVulnerability(int vulnerability)
{
    constexpr int codes[4] = {0, 2, 3, 1};
    return codes[vulnerability];
}

// The rank (2..14) of a card letter: the alphabet lists 2..9, then ace, king, queen, jack, ten.
int rankOfLetter(const QString &alphabet, QChar letter)
{
    const int p = static_cast<int>(alphabet.indexOf(letter));
    return p < 8 ? p + 2 : 22 - p;
}

ddTableDeal solverDeal(const Holdings &deal, int languageNumber)
{
    const QString alphabet = RankAlphabet(languageNumber);
    ddTableDeal table {};
    for (int seat = 0; seat < 4; ++seat)
        for (int suit = 0; suit < 4; ++suit)
            for (const QChar c : tensAsT(deal[FieldOf(seat, suit)]))
                table.cards[seat][suit] |= 1u << rankOfLetter(alphabet, c);
    return table;
}

QList<int> seatsOfParContract(int code)
{
    switch (code) {
    case 4:
        return {North, South};
    case 5:
        return {East, West};
    default:
        return {code};
    }
}

ParContract parContract(const contractType &c, int score)
{
    ParContract p;
    p.level = c.level;
    p.strain = strainOfParDenomination(c.denom);
    p.declarers = seatsOfParContract(c.seats);
    p.doubled = c.underTricks > 0;
    p.overtricks = c.overTricks;
    p.undertricks = c.underTricks;
    p.score = score;
    return p;
}

} // namespace

std::optional<DoubleDummyResult> solveDeal(const Holdings &deal, int languageNumber, int vulnerability)
{
    const std::optional<DoubleDummyCache::Key> key = DoubleDummyCache::keyOf(deal, languageNumber, vulnerability);
    if (!key)
        return std::nullopt;
    DoubleDummyCache &cache = DoubleDummyCache::shared();
    if (std::optional<DoubleDummyResult> known = cache.find(*key))
        return known;
    std::optional<DoubleDummyResult> result = solveDealUncached(deal, languageNumber, vulnerability);
    if (result)
        cache.insert(*key, *result);
    return result;
}

std::optional<DoubleDummyResult> knownDoubleDummy(const Holdings &deal, int languageNumber, int vulnerability)
{
    const std::optional<DoubleDummyCache::Key> key = DoubleDummyCache::keyOf(deal, languageNumber, vulnerability);
    return key ? DoubleDummyCache::shared().find(*key) : std::nullopt;
}

namespace {

// The table and par of a deal from its tricks; none when the par routines report a fault. Called
// with the solver's lock held: the library does not promise its par routines are safe beside a
// running table (they are quick, working on the table alone).
std::optional<DoubleDummyResult> resultOf(const DdsLibrary &dds, const ddTableResults &tricks, int vulnerability)
{
    const int vul = solverVulnerability(vulnerability);
    ddTableResults table = tricks;
    parResultsMaster sides[2] {};
    parResultsDealer sideTexts[2] {};
    parTextResults lines {};
    if (dds.sidesParBin(&table, sides, vul) != RETURN_NO_FAULT || dds.sidesPar(&table, sideTexts, vul) != RETURN_NO_FAULT
        || dds.convertToSidesTextFormat(sides, &lines) != RETURN_NO_FAULT)
        return std::nullopt;

    DoubleDummyResult result;
    for (int strain = 0; strain < StrainCount; ++strain)
        for (int seat = 0; seat < 4; ++seat)
            result.tricks[strain][seat] = tricks.resTable[solverStrain(strain)][seat];

    // The first side entry is North-South bidding first, scored for North-South; the second is
    // East-West bidding first, scored for East-West. A deal passed out at par comes back as one
    // contract of level 0 ("0N-N"), which is no contract at all.
    const parResultsMaster &par = sides[0];
    result.parScore = par.score;
    for (int i = 0; i < par.number; ++i)
        if (par.contracts[i].level > 0)
            result.parContracts << parContract(par.contracts[i], par.score);
    if (!result.parContracts.isEmpty())
        for (int i = 0; i < sideTexts[0].number; ++i)
            result.parContractTexts << QString::fromLatin1(sideTexts[0].contracts[i]);
    result.parDependsOnWhoBidsFirst = sides[1].score != -par.score;
    result.parLines << QString::fromLatin1(lines.parText[0]).trimmed();
    if (result.parDependsOnWhoBidsFirst)
        result.parLines << QString::fromLatin1(lines.parText[1]).trimmed();
    return result;
}

} // namespace

static_assert(DealsSolvedTogether <= MAXNOOFTABLES);

std::optional<DoubleDummyResult> solveDealUncached(const Holdings &deal, int languageNumber, int vulnerability)
{
    if (vulnerability < 0 || vulnerability > 3 || !isValidCompleteDeal(deal, languageNumber))
        return std::nullopt;
    const ddTableDeal table = solverDeal(deal, languageNumber);
    ddTableResults tricks {};
    const std::lock_guard lock(ddsSolverMutex());
    const DdsLibrary &dds = ddsLibrary();
    if (!dds.loaded() || ddsLibraryClosed() || dds.calcDDtable(table, &tricks) != RETURN_NO_FAULT)
        return std::nullopt;
    return resultOf(dds, tricks, vulnerability);
}

bool solveDealsAhead(const QList<DealToSolve> &deals, int languageNumber, const ProgressReport &progress)
{
    // Only complete deals not solved before; each once.
    DoubleDummyCache &cache = DoubleDummyCache::shared();
    QList<std::pair<DoubleDummyCache::Key, const DealToSolve *>> wanted;
    for (const DealToSolve &deal : deals) {
        const std::optional<DoubleDummyCache::Key> key
            = DoubleDummyCache::keyOf(deal.holdings, languageNumber, deal.vulnerability);
        // A key is made of complete deals only, at a vulnerability the solver knows.
        if (!key || cache.find(*key))
            continue;
        if (std::none_of(wanted.begin(), wanted.end(), [&](const auto &w) { return w.first == *key; }))
            wanted.append({*key, &deal});
    }
    const qsizetype total = wanted.size();
    if (total == 0)
        return true;
    for (qsizetype first = 0; first < total; first += DealsSolvedTogether) {
        if (progress && !progress(first, total))
            return false;
        const int count = int(std::min<qsizetype>(DealsSolvedTogether, total - first));
        ddTableDeals batch {};
        batch.noOfTables = count;
        for (int i = 0; i < count; ++i)
            batch.deals[i] = solverDeal(wanted[first + i].second->holdings, languageNumber);
        int allStrains[DDS_STRAINS] = {0, 0, 0, 0, 0};
        ddTablesRes tricks {};
        const std::lock_guard lock(ddsSolverMutex());
        const DdsLibrary &dds = ddsLibrary();
        // Par is worked out here, per deal at its own vulnerability, rather than by the call.
        if (!dds.loaded() || ddsLibraryClosed() || dds.calcAllTables(&batch, -1, allStrains, &tricks, nullptr) != RETURN_NO_FAULT)
            continue; // each deal is tried again on its own when it is asked for
        for (int i = 0; i < count; ++i) {
            const auto &[key, deal] = wanted[first + i];
            if (const std::optional<DoubleDummyResult> result = resultOf(dds, tricks.results[i], deal->vulnerability))
                cache.insert(key, *result);
        }
    }
    if (progress)
        progress(total, total);
    return true;
}

bool doubleDummyAvailable() { return ddsLibrary().loaded(); }

QString doubleDummyUnavailableText(int languageNumber)
{
    const QString reason = ddsLibrary().error;
    if (languageNumber == LanguageEnglish)
        return QStringLiteral("The double-dummy solver cannot be loaded, so no double-dummy table or par is shown. "
                              "Install the package libdds0 (the library %1).\n%2")
            .arg(ddsLibraryName(), reason);
    return QStringLiteral("De dubbeldummy-rekenaar kan niet geladen worden; er komt geen dubbeldummytabel of par. "
                          "Installeer het pakket libdds0 (de bibliotheek %1).\n%2")
        .arg(ddsLibraryName(), reason);
}

} // namespace briqo
