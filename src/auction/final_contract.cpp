#include "auction/final_contract.h"

#include "base/string_table.h"
#include "base/string_ids.h"

namespace briqo {

namespace {

bool bidsStrain(const AuctionCell &c, int strain) { return !c.code.isEmpty() && cellNumber(c.code) == strain; }

int lastVisibleNorthRow(const AuctionModel &model)
{
    for (int row = AuctionRows - 1; row >= 0; --row) {
        if (model.cell(row, 0).callVisible)
            return row;
    }
    return -1;
}

} // namespace

std::optional<FinalContract> finalContract(const AuctionModel &model)
{
    FinalContract fc;
    bool found = false;
    for (int row = AuctionRows - 1; row >= 0 && !found; --row) {
        for (int seat = SeatCount - 1; seat >= 0; --seat) {
            const AuctionCell &c = model.cell(row, seat);
            const int level = cellNumber(c.caption);
            if (level > 0) {
                fc = {level, cellNumber(c.code), row, seat, seat};
                found = true;
                break;
            }
        }
    }
    if (!found)
        return std::nullopt;

    // The earliest level at which the final bidder named the strain (levels of one strain rise,
    // so the lowest level found is the first time).
    int firstLevel = fc.level;
    for (int row = fc.row; row >= 0; --row) {
        const AuctionCell &c = model.cell(row, fc.seat);
        if (bidsStrain(c, fc.strain))
            firstLevel = cellNumber(c.caption);
    }
    // Partner declares when partner named the strain before that. North's partner South sits
    // after North in a row, so South's cell in the final bid's row cannot come first.
    const int partner = (fc.seat + 2) % SeatCount;
    const int partnerStart = fc.seat == 0 ? fc.row - 1 : fc.row;
    for (int row = partnerStart; row >= 0; --row) {
        const AuctionCell &c = model.cell(row, partner);
        if (bidsStrain(c, fc.strain) && cellNumber(c.caption) < firstLevel) {
            fc.declarer = partner;
            break;
        }
    }
    return fc;
}

QString strainWord(int strain, int languageNumber)
{
    if (strain >= 0 && strain <= 3)
        return ResString(Str::Spades + 3 - strain, languageNumber);
    if (strain == 4)
        return ResString(Str::NoTrump, languageNumber);
    return {};
}

QString contractText(const QString &declarerName, int level, const QString &strainWord)
{
    return QStringLiteral("%1 %2 %3").arg(declarerName).arg(level).arg(strainWord);
}

QString contractText(const FinalContract &contract, int languageNumber)
{
    return contractText(
        SeatName(contract.declarer, languageNumber), contract.level, strainWord(contract.strain, languageNumber));
}

QList<int> hiddenRowNumbers(const AuctionModel &model)
{
    QList<int> rows;
    for (int row = AuctionRows - 1; row > lastVisibleNorthRow(model); --row)
        rows.append(row);
    return rows;
}

std::optional<int> auctionBottom(const AuctionModel &model)
{
    const int row = lastVisibleNorthRow(model);
    if (row < 0)
        return std::nullopt;
    return auctionRowTop(row) + AuctionCallHeight + 128;
}

} // namespace briqo
