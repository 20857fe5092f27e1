#include "store/game_files.h"

#include "base/string_table.h"
#include "store/path_lookup.h"
#include "store/text_file.h"

#include <QFileInfo>

#include <algorithm>

namespace briqo {

namespace {

// An auction file of this size or less holds no auction (the original's own threshold; an empty
// auction is 146 bytes).
constexpr qint64 kNoAuctionSize = 10;

const QLatin1Char kFieldSeparator('~');

QString withoutSeparator(QString field) { return field.replace(kFieldSeparator, QLatin1Char(' ')); }

QString tenAsT(QString text) { return text.replace(QStringLiteral("10"), QStringLiteral("T")); }

FileCell parseCell(const QString &line)
{
    const QStringList fields = line.split(kFieldSeparator);
    return {fields.value(0), fields.value(1), fields.value(2)};
}

QString firstLine(const QString &path)
{
    const std::optional<QStringList> lines = readTextLines(path);
    return lines ? lines->value(0) : QString();
}

} // namespace

bool writeAuctionFile(const QString &path, const AuctionFile &auction, QString *error)
{
    return writeFileBytes(path, auctionFileBytes(auction), error);
}

QByteArray auctionFileBytes(const AuctionFile &auction)
{
    QStringList lines;
    lines.reserve(1 + AuctionCells);
    lines.append(auction.callKinds);
    for (const FileCell &cell : auction.cells) {
        lines.append(withoutSeparator(cell.caption) + kFieldSeparator + withoutSeparator(cell.code) + kFieldSeparator
            + withoutSeparator(cell.note));
    }
    return textLinesBytes(lines);
}

std::optional<AuctionFile> readAuctionFile(const QString &path)
{
    const std::optional<QByteArray> bytes = readTextFileBytes(path);
    if (!bytes || bytes->size() <= kNoAuctionSize)
        return std::nullopt;
    const std::optional<QStringList> lines = textLinesOf(*bytes);

    AuctionFile auction;
    auction.callKinds = lines->value(0);
    const qsizetype cellLines = std::min<qsizetype>(lines->size() - 1, AuctionCells);
    for (qsizetype i = 0; i < cellLines; ++i)
        auction.cells[i] = parseCell(lines->at(i + 1));
    return auction;
}

int noteNumber(const QString &noteText)
{
    const long long n = leadingNumber(noteText.mid(1));
    return n > 0 && n < 100000 ? static_cast<int>(n) : 0;
}

int nextNoteNumber(const AuctionFile &auction)
{
    int highest = 0;
    for (const FileCell &cell : auction.cells)
        highest = std::max(highest, noteNumber(cell.note));
    return highest + 1;
}

bool writeHandsFile(const QString &path, const Holdings &holdings, QString *error)
{
    return writeFileBytes(path, handsFileBytes(holdings), error);
}

QByteArray handsFileBytes(const Holdings &holdings)
{
    QStringList lines;
    lines.reserve(FieldCount);
    for (const QString &holding : holdings)
        lines.append(tenAsT(holding));
    return textLinesBytes(lines);
}

Holdings readHandsFile(const QString &path)
{
    Holdings holdings;
    const std::optional<QStringList> lines = readTextLines(path);
    if (!lines)
        return holdings;
    const qsizetype count = std::min<qsizetype>(lines->size(), FieldCount);
    for (qsizetype i = 0; i < count; ++i)
        holdings[i] = lines->at(i);
    return holdings;
}

QString formatLeadLine(const QString &leaderName, int suitIndex, const QString &cardText)
{
    if (suitIndex < 0 || suitIndex > 3)
        return {};
    return leaderName + QStringLiteral(" - ") + QString::number(suitIndex) + tenAsT(cardText);
}

std::optional<LeadLine> parseLeadLine(const QString &line)
{
    const qsizetype split = line.indexOf(QStringLiteral(" -"));
    if (split < 0)
        return std::nullopt;
    const QString leader = line.left(split).trimmed();
    const QString rest = line.mid(split + 2).trimmed();
    if (leader.isEmpty() || rest.size() < 2 || rest[0] < QLatin1Char('0') || rest[0] > QLatin1Char('3'))
        return std::nullopt;
    return LeadLine {leader, rest[0].unicode() - '0', rest.mid(1)};
}

bool writeLeadFile(const QString &path, const LeadLine &lead, QString *error)
{
    const QString line = formatLeadLine(lead.leaderName, lead.suitIndex, lead.cardText);
    if (line.isEmpty()) {
        if (error)
            *error = QStringLiteral("no valid lead to write");
        return false;
    }
    return writeTextLines(path, {line}, error);
}

std::optional<LeadLine> readLeadFile(const QString &path) { return parseLeadLine(firstLine(path)); }

bool writeContractFile(const QString &path, const QString &contractText, QString *error)
{
    return writeTextLines(path, {contractText}, error);
}

QString readContractFile(const QString &path) { return firstLine(path); }

AuctionFile auctionFileOf(const AuctionModel &model)
{
    AuctionFile file;
    file.callKinds = model.CallKinds();
    const QList<FileCell> cells = model.cellsForFile();
    for (int i = 0; i < AuctionCells && i < cells.size(); ++i)
        file.cells[i] = cells[i];
    return file;
}

} // namespace briqo
