#pragma once

#include "auction/auction_model.h"

#include <QString>

#include <array>
#include <functional>

namespace briqo {

// Turning the board one seat clockwise: North -> East -> South -> West -> North.

// The calls fit after turning only while the last row's West cell is free.
bool canRotate(const AuctionModel &model);

// The 16 holdings (field = 4 x seat + suit) after turning: each hand moves to the next seat.
std::array<QString, 16> rotateHands(const std::array<QString, 16> &fields);

enum class RotationCase {
    NoCalls, // North deals and nobody has called: only the game number moves on
    WestDealt, // West dealt: the calls move up a row and one seat on; the "-" row is gone
    OneSeatOn // every call moves one seat on; new "-" cells before the new dealer
};

struct RotationResult {
    bool rotated = false; // false: a call would be lost; nothing changed
    long long gameNumber = 0; // the new game number (unchanged when not rotated)
    RotationCase turn = RotationCase::NoCalls;
    bool showContract = false; // row 0's North cell shows a call or "-": show the contract anew
};

// Turns the auction grid and gives the game number whose dealer sits one seat on. The history,
// the note numbers and the double flags do not change. Notes and pictures move with their calls.
// dealerOf gives the dealer of a game number; empty means DealerOf.
RotationResult rotateGrid(
    AuctionModel &model, long long gameNumber, const std::function<int(long long)> &dealerOf = {});

} // namespace briqo
