#pragma once

#include "auction/auction_model.h"

#include <QList>
#include <QString>

#include <optional>

namespace briqo {

// The last contract bid of the auction and the player who plays it.
struct FinalContract {
    int level = 0;
    int strain = 0; // 0 clubs .. 4 no trump
    int row = 0; // cell of the final bid
    int seat = 0;
    int declarer = 0; // the player of the bidding side who first named the strain

    bool operator==(const FinalContract &) const = default;
};

// The final contract, or none when the auction holds no contract bid (passed out, or nothing yet).
std::optional<FinalContract> finalContract(const AuctionModel &model);

// "Klaveren".."Schoppen" / "Clubs".."Spades", and "SA" / "NT"; empty for an unknown strain.
QString strainWord(int strain, int languageNumber);

// ContractText: "Zuid 4 Harten", "North 3 NT".
QString contractText(const QString &declarerName, int level, const QString &strainWord);
QString contractText(const FinalContract &contract, int languageNumber);

// Rows whose number label is hidden at the end of the auction: from row 8 upwards while the
// row's North cell is empty, stopping at the first row that holds a North call or "-".
QList<int> hiddenRowNumbers(const AuctionModel &model);

// Grid geometry in twips: the call labels of row r stand at 570 + 300 r and are 270 high.
constexpr int auctionRowTop(int row) { return 570 + 300 * row; }
constexpr int AuctionCallHeight = 270;

// AuctionBottom: the bottom of the last row whose North cell is shown, plus a margin of 128;
// none when no North cell is shown (the picture then keeps its previous cut).
std::optional<int> auctionBottom(const AuctionModel &model);

} // namespace briqo
