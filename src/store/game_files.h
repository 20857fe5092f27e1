#pragma once

// The grid has the same 9 rows and 36 cells as the auction the window shows.
#include "auction/auction_model.h"
#include "deal/deal.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace briqo {

// The auction file: CallKinds on the first line, then the 36 cells seat by seat (North rows
// 0-8, East, South, West), so cell index = seat * 9 + row.
struct AuctionFile {
    QString callKinds;
    std::array<FileCell, AuctionCells> cells;

    bool operator==(const AuctionFile &) const = default;
};

constexpr int auctionCellIndex(int seat, int row) { return seat * AuctionRows + row; }

// The auction file of an auction: its call history and its 36 cells in file order.
AuctionFile auctionFileOf(const AuctionModel &model);

// Exactly 37 lines. A "~" inside a field would split it on reading, so it is written as a blank.
bool writeAuctionFile(const QString &path, const AuctionFile &auction, QString *error = nullptr);
QByteArray auctionFileBytes(const AuctionFile &auction);

// nullopt when the file is missing or 10 bytes or less: that is "no auction". Otherwise the file
// loads as far as it goes: missing lines and missing fields of a line are empty, fields past the
// third are ignored.
std::optional<AuctionFile> readAuctionFile(const QString &path);

// The number in a note text: "(3)" gives 3, an empty or odd note 0.
int noteNumber(const QString &noteText);

// The number the next note gets after loading: one more than the highest note of all four
// seats, so a new note never repeats a number already on the board.
int nextNoteNumber(const AuctionFile &auction);

// Sixteen lines, entry field k on line k + 1 (North spades, hearts, diamonds, clubs, then East,
// South, West), every "10" written as "T".
bool writeHandsFile(const QString &path, const Holdings &holdings, QString *error = nullptr);
QByteArray handsFileBytes(const Holdings &holdings);

// The sixteen holdings as stored; a missing file or missing lines give empty holdings.
Holdings readHandsFile(const QString &path);

// The opening lead: the leader's seat name, the suit of the led card (0 spades, 1 hearts,
// 2 diamonds, 3 clubs) and the card as shown ("Heer", "T", "7").
struct LeadLine {
    QString leaderName;
    int suitIndex = 0;
    QString cardText;

    bool operator==(const LeadLine &) const = default;
};

// "Oost - 1Heer"; a card "10" is written "T". Empty for a suit index outside 0-3.
QString formatLeadLine(const QString &leaderName, int suitIndex, const QString &cardText);

// Splits "Oost - 1Heer" at " -"; the rest, trimmed, is the suit digit and the card text. nullopt
// when there is no " -", no leader name, no suit digit 0-3 or no card text.
std::optional<LeadLine> parseLeadLine(const QString &line);

// One line; false (with a reason) for a lead that formats to nothing.
bool writeLeadFile(const QString &path, const LeadLine &lead, QString *error = nullptr);

// The first line parsed; nullopt when the file is missing or its line is malformed.
std::optional<LeadLine> readLeadFile(const QString &path);

// One line, the contract as shown ("Zuid 4 Schoppen").
bool writeContractFile(const QString &path, const QString &contractText, QString *error = nullptr);

// The first line; empty when the file is missing or empty.
QString readContractFile(const QString &path);

} // namespace briqo
