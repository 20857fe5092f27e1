#pragma once
// The simple conditions of the window's dialog: per seat a range of points, a range of length
// per suit, "balanced" and fixed cards. They are written as a script of the condition language,
// so the dialog and a hand-written script run through the same generator.

#include <QString>

#include <array>

namespace briqo::generate {

constexpr int MaxHcp = 37;

struct SeatConstraints {
    int hcpMin = 0;
    int hcpMax = MaxHcp;
    std::array<int, 4> lengthMin {0, 0, 0, 0}; // spades, hearts, diamonds, clubs
    std::array<int, 4> lengthMax {13, 13, 13, 13};
    bool balanced = false; // 4333, 4432 or 5332
    QString fixedCards; // "S AKQ2 H K87 D 32 C AK54" or "AKQ2.K87.32.AK54", in the card letters of the language

    bool operator==(const SeatConstraints &) const = default;
};

using DealConstraints = std::array<SeatConstraints, 4>;

// The script, or (script empty) the reason it cannot be written, in the language.
struct ConstraintScript {
    QString script;
    QString error;
};

ConstraintScript scriptFromConstraints(const DealConstraints &constraints, int languageNumber);

} // namespace briqo::generate
