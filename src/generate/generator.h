#pragma once
// Deals that meet a condition, dealt on several threads. The deals are numbered from 0; block b
// holds deals b x BlockSize .. and draws its random numbers from its own stream of the seed. The
// result is the first deals by number that meet the condition, so a seed gives the same deals
// with any number of threads.

#include "generate/script.h"

#include <QList>

#include <atomic>
#include <cstdint>

namespace briqo::generate {

constexpr std::int64_t BlockSize = 4096;
// Without a "generate" in the script: how many deals are tried before a condition is given up.
constexpr std::int64_t DefaultGenerateLimit = 10'000'000;
constexpr std::int64_t DefaultProduce = 40;

struct GenerateOptions {
    std::uint64_t seed = 1;
    int threads = 1;
    std::int64_t produce = DefaultProduce;
    std::int64_t generateLimit = DefaultGenerateLimit;
};

// Shared with a window that shows the progress and may stop the run.
struct GenerateProgress {
    std::atomic<std::int64_t> generated {0};
    std::atomic<std::int64_t> produced {0};
    std::atomic<bool> cancel {false};
};

struct GenerateOutcome {
    QList<Deal> deals;
    std::int64_t generated = 0; // deals tried up to the last one produced (all of them when short)
    bool cancelled = false;
};

GenerateOutcome generateDeals(
    const Program &program, const GenerateOptions &options, GenerateProgress *progress = nullptr);

// A seed from the clock, for a run that need not be repeated.
std::uint64_t freshSeed();

} // namespace briqo::generate
