#pragma once
// The condition language of the classic bridge deal generators: identifiers, hand functions,
// shapes, predeal, dealer, vulnerable, produce, generate, condition and the print actions, read
// into a program whose condition is evaluated for every deal.

#include "generate/dealing.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace briqo::generate {

enum class Op : std::uint8_t {
    Number,
    Not,
    Negate,
    And,
    Or,
    Add,
    Subtract,
    Multiply,
    Divide,
    Modulo,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Choose, // a ? b : c
    Hcp, // seat, suit (-1: the whole hand)
    Length, // seat, suit
    Controls,
    Losers,
    Count, // value: the alternate count 0..9 (tens, jacks, queens, kings, aces, top2..top5, c13)
    Shape, // value: index of the shape set
    HasCard, // value: the card's bit
};

struct Node {
    Op op = Op::Number;
    std::int8_t seat = 0;
    std::int8_t suit = -1;
    int a = -1;
    int b = -1;
    int c = -1;
    std::int64_t value = 0;
};

// The shapes a shape() call allows, one bit per (spades, hearts, diamonds) length, clubs following.
struct ShapeSet {
    static constexpr int Size = 14 * 14 * 14;
    std::array<std::uint64_t, (Size + 63) / 64> bits {};

    static constexpr int indexOf(int s, int h, int d) { return (s * 14 + h) * 14 + d; }
    bool has(int index) const { return bits[index >> 6] >> (index & 63) & 1; }
    void set(int index, bool on)
    {
        if (on)
            bits[index >> 6] |= std::uint64_t(1) << (index & 63);
        else
            bits[index >> 6] &= ~(std::uint64_t(1) << (index & 63));
    }
};

enum class Action { PrintOneLine, PrintPbn };

struct Program {
    std::vector<Node> nodes;
    std::vector<ShapeSet> shapes;
    int condition = -1; // -1: every deal is wanted
    Predeal predeal;
    std::optional<std::int64_t> produce;
    std::optional<std::int64_t> generate;
    std::optional<int> dealer;
    std::optional<int> vulnerability;
    QList<Action> actions;
};

struct ScriptError {
    int line = 0; // 1 = first line
    int column = 0; // 1 = first character
    QString message; // in the language asked for

    // "Line 3, column 14: ..." in the language.
    QString text(int languageNumber) const;
};

struct ParseResult {
    std::optional<Program> program;
    ScriptError error;
};

ParseResult parseScript(const QString &text, int languageNumber);

// The value of the condition for a deal (non-zero: wanted). Division by zero gives 0.
std::int64_t evaluate(const Program &program, int node, const Deal &deal);
inline bool accepts(const Program &program, const Deal &deal)
{
    return program.condition < 0 || evaluate(program, program.condition, deal) != 0;
}

} // namespace briqo::generate
