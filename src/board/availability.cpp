#include "board/availability.h"

#include "board/board.h"
#include "base/string_ids.h"

namespace briqo {

Availability availability(const Board &board)
{
    const Board::Offers &offers = board.offers();
    Availability a;
    for (int field = 0; field < FieldCount; ++field)
        a.entryFields[field] = board.fieldEnabled(field);

    a.biddingBox = offers.biddingBox;
    for (int k = 0; k < ContractBidCount; ++k)
        a.contractBids[k] = board.auction().bidVisible(k);
    a.deleteLastBid = offers.deleteButtons;
    a.deleteAllBids = offers.deleteButtons;

    a.save = offers.saveAndRotate;
    a.rotate = offers.saveAndRotate;
    a.picture = offers.showBoard;
    a.clipboard = offers.showBoard;
    a.question = offers.showBoard;
    a.hiddenHandsFrame = offers.showBoard;
    a.print = offers.print;
    for (int seat = 0; seat < 4; ++seat) {
        a.hiddenHandBoxes[seat] = offers.saveAndRotate;
        a.hiddenHandChecked[seat] = !board.seatHidden(seat);
        a.pointsLabels[seat] = board.pointsVisible() && board.handShown(seat);
    }

    a.tenAs10Box = offers.displayOptions;
    a.pointsBox = offers.displayOptions;
    a.tenAs10Checked = board.tenAs10();
    a.pointsChecked = board.pointsVisible();

    a.leadBoxVisible = offers.leadBox;
    a.leadBoxCaption = board.leadBoxDeletes() ? Str::DeleteLead : Str::GiveLead;
    a.leadBoxChecked = board.leadMode();
    a.leadLine = board.lead().has_value();

    a.loadGame = offers.gameEntry && !board.chosenEntry().isEmpty();
    a.deleteGame = a.loadGame;
    a.renumber = offers.renumber;
    a.picturesList = board.gameNumber().has_value() && *board.gameNumber() > 0;
    a.dealerAndVulnerability = board.isGame();
    a.contract = board.contract().kind != ContractDisplay::None;
    a.declarer = board.contract().kind == ContractDisplay::Bid;
    return a;
}

} // namespace briqo
