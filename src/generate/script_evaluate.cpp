// Working out a condition of the generator's script for one deal.

#include "generate/script.h"

#include <bit>

namespace briqo::generate {

namespace {

// The honours an alternate count weighs, for the ten, jack, queen, king and ace.
constexpr int CountWeights[10][5] = {
    {1, 0, 0, 0, 0}, // tens
    {0, 1, 0, 0, 0}, // jacks
    {0, 0, 1, 0, 0}, // queens
    {0, 0, 0, 1, 0}, // kings
    {0, 0, 0, 0, 1}, // aces
    {0, 0, 0, 1, 1}, // top2: A K
    {0, 0, 1, 1, 1}, // top3
    {0, 1, 1, 1, 1}, // top4
    {1, 1, 1, 1, 1}, // top5
    {0, 1, 2, 4, 6}, // c13: A 6, K 4, Q 2, J 1
};

int countOfSuit(int k, SuitBits s)
{
    int total = 0;
    for (int i = 0; i < 5; ++i)
        if (s & suitBit(RankTen + i))
            total += CountWeights[k][i];
    return total;
}

// Sums and products wrap around as in two's complement: a script cannot make the program fail
// with numbers too big for 64 bits.
std::int64_t wrapped(std::int64_t a, std::int64_t b, Op op)
{
    const std::uint64_t x = std::uint64_t(a), y = std::uint64_t(b);
    const std::uint64_t r = op == Op::Add ? x + y : op == Op::Subtract ? x - y : x * y;
    return std::int64_t(r);
}

template<typename PerSuit> std::int64_t perSuitOrHand(const Node &n, HandBits hand, PerSuit f)
{
    if (n.suit >= 0)
        return f(suitOf(hand, n.suit));
    return f(suitOf(hand, 0)) + f(suitOf(hand, 1)) + f(suitOf(hand, 2)) + f(suitOf(hand, 3));
}

} // namespace

std::int64_t evaluate(const Program &program, int index, const Deal &deal)
{
    const Node &n = program.nodes[index];
    switch (n.op) {
    case Op::Number:
        return n.value;
    case Op::Not:
        return !evaluate(program, n.a, deal);
    case Op::Negate:
        return wrapped(0, evaluate(program, n.a, deal), Op::Subtract);
    case Op::And:
        return evaluate(program, n.a, deal) && evaluate(program, n.b, deal);
    case Op::Or:
        return evaluate(program, n.a, deal) || evaluate(program, n.b, deal);
    case Op::Add:
        return wrapped(evaluate(program, n.a, deal), evaluate(program, n.b, deal), Op::Add);
    case Op::Subtract:
        return wrapped(evaluate(program, n.a, deal), evaluate(program, n.b, deal), Op::Subtract);
    case Op::Multiply:
        return wrapped(evaluate(program, n.a, deal), evaluate(program, n.b, deal), Op::Multiply);
    case Op::Divide:
    case Op::Modulo: {
        const std::int64_t a = evaluate(program, n.a, deal);
        const std::int64_t b = evaluate(program, n.b, deal);
        // No quotient for a zero divisor; -1 is a negation, which must not overflow.
        if (b == 0)
            return 0;
        if (b == -1)
            return n.op == Op::Divide ? wrapped(0, a, Op::Subtract) : 0;
        return n.op == Op::Divide ? a / b : a % b;
    }
    case Op::Equal:
        return evaluate(program, n.a, deal) == evaluate(program, n.b, deal);
    case Op::NotEqual:
        return evaluate(program, n.a, deal) != evaluate(program, n.b, deal);
    case Op::Less:
        return evaluate(program, n.a, deal) < evaluate(program, n.b, deal);
    case Op::LessEqual:
        return evaluate(program, n.a, deal) <= evaluate(program, n.b, deal);
    case Op::Greater:
        return evaluate(program, n.a, deal) > evaluate(program, n.b, deal);
    case Op::GreaterEqual:
        return evaluate(program, n.a, deal) >= evaluate(program, n.b, deal);
    case Op::Choose:
        return evaluate(program, n.a, deal) ? evaluate(program, n.b, deal) : evaluate(program, n.c, deal);
    case Op::Hcp:
        return perSuitOrHand(n, deal.hands[n.seat], [](SuitBits s) { return suitHcp(s); });
    case Op::Length:
        return suitLength(suitOf(deal.hands[n.seat], n.suit));
    case Op::Controls:
        return perSuitOrHand(n, deal.hands[n.seat], [](SuitBits s) { return suitControls(s); });
    case Op::Losers:
        return perSuitOrHand(n, deal.hands[n.seat], [](SuitBits s) { return suitLosers(s); });
    case Op::Count:
        return perSuitOrHand(n, deal.hands[n.seat], [k = int(n.value)](SuitBits s) { return countOfSuit(k, s); });
    case Op::Shape: {
        const HandBits h = deal.hands[n.seat];
        return program.shapes[n.value].has(
            ShapeSet::indexOf(suitLength(suitOf(h, 0)), suitLength(suitOf(h, 1)), suitLength(suitOf(h, 2))));
    }
    case Op::HasCard:
        return (deal.hands[n.seat] & HandBits(n.value)) != 0;
    }
    return 0;
}

} // namespace briqo::generate
