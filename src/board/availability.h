#pragma once

#include "auction/auction_model.h"

#include <array>

namespace briqo {

class Board;

// Which controls of the main window are enabled (and which are shown) for a board. The window
// applies it in one place after every operation; nothing else enables or disables a control of
// the board.
struct Availability {
    std::array<bool, 16> entryFields {}; // the hand fields, field = 4 x seat + suit

    bool biddingBox = false; // the box: contract bids, pass, double, redouble, number the bid
    std::array<bool, ContractBidCount> contractBids {}; // shown: only bids above the last are on offer
    bool deleteLastBid = false;
    bool deleteAllBids = false;

    bool save = false;
    bool picture = false; // save as bitmap
    bool print = false;
    bool clipboard = false;
    bool rotate = false;
    bool question = false; // the question-and-answer button
    bool hiddenHandsFrame = false; // the working frame that carries the answer file's path
    std::array<bool, 4> hiddenHandBoxes {}; // enabled
    std::array<bool, 4> hiddenHandChecked {}; // checked while the hand is shown

    bool tenAs10Box = false;
    bool tenAs10Checked = false;
    bool pointsBox = false;
    bool pointsChecked = false;
    std::array<bool, 4> pointsLabels {}; // the "(12)" beside each seat

    bool leadBoxVisible = false;
    int leadBoxCaption = 0; // string id: "Give lead" or "Delete lead"
    bool leadBoxChecked = false; // lead mode
    bool leadLine = false; // leader, suit picture and card shown

    bool loadGame = false;
    bool deleteGame = false;
    bool renumber = false; // the "new number" frame
    bool picturesList = false; // the list of the game's pictures
    bool dealerAndVulnerability = false; // shown in the information block
    bool contract = false; // the contract value (a level and strain, or "Pass")
    bool declarer = false;

    bool operator==(const Availability &) const = default;
};

Availability availability(const Board &board);

} // namespace briqo
