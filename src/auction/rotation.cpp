#include "auction/rotation.h"

namespace briqo {

namespace {

// Copies a cell onto another and clears the source; a source outside the grid is an empty cell.
// The picture shows only for a contract bid, whatever the source showed.
void moveCell(AuctionModel &m, int fromRow, int fromSeat, int toRow, int toSeat)
{
    AuctionCell c = m.cell(fromRow, fromSeat);
    c.pictureVisible = !c.code.isEmpty() && cellNumber(c.code) < 5;
    m.setCell(toRow, toSeat, c);
    m.setCell(fromRow, fromSeat, AuctionCell {});
}

} // namespace

bool canRotate(const AuctionModel &model) { return model.cell(AuctionRows - 1, West).caption.isEmpty(); }

std::array<QString, 16> rotateHands(const std::array<QString, 16> &fields)
{
    std::array<QString, 16> out;
    for (int hand = 0; hand < 4; ++hand) {
        for (int suit = 0; suit < 4; ++suit)
            out[4 * ((hand + 1) % 4) + suit] = fields[4 * hand + suit];
    }
    return out;
}

RotationResult rotateGrid(AuctionModel &model, long long gameNumber, const std::function<int(long long)> &dealerOf)
{
    RotationResult r;
    r.gameNumber = gameNumber;
    if (!canRotate(model))
        return r;
    r.rotated = true;

    const auto isDash = [&](int seat) { return model.cell(0, seat).caption == QLatin1String("-"); };
    if (model.cell(0, North).caption.isEmpty()) {
        r.turn = RotationCase::NoCalls;
        r.gameNumber = gameNumber + 1;
    } else if (isDash(North) && isDash(East) && isDash(South)) {
        r.turn = RotationCase::WestDealt;
        r.gameNumber = gameNumber - 3;
        for (int row = 0; row < AuctionRows; ++row) {
            moveCell(model, row, West, row, North);
            moveCell(model, row + 1, North, row, East);
            moveCell(model, row + 1, East, row, South);
            moveCell(model, row + 1, South, row, West);
        }
    } else {
        r.turn = RotationCase::OneSeatOn;
        r.gameNumber = gameNumber + 1;
        for (int row = AuctionRows - 1; row >= 0; --row) {
            moveCell(model, row, South, row, West);
            moveCell(model, row, East, row, South);
            moveCell(model, row, North, row, East);
            if (row >= 1)
                moveCell(model, row - 1, West, row, North);
        }
        const int dealer = dealerOf ? dealerOf(r.gameNumber) : DealerOf(r.gameNumber);
        for (int seat = 0; seat < dealer && seat < SeatCount; ++seat) {
            AuctionCell dash;
            dash.caption = QStringLiteral("-");
            dash.callVisible = true;
            model.setCell(0, seat, dash);
        }
    }
    r.showContract = model.cell(0, North).callVisible;
    return r;
}

} // namespace briqo
