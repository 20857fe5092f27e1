#include "generate/generator.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace briqo::generate {

namespace {

struct Found {
    std::int64_t index;
    Deal deal;
};

// How often a block looks at the stop signs and reports its count.
constexpr std::int64_t CheckEvery = 512;

class Run {
public:
    Run(const Program &program, const GenerateOptions &options, GenerateProgress *progress)
        : m_program(program)
        , m_options(options)
        , m_progress(progress)
        , m_dealer(program.predeal)
        , m_blocks((options.generateLimit + BlockSize - 1) / BlockSize)
    { }

    void work()
    {
        std::vector<Found> found;
        for (;;) {
            const std::int64_t block = m_nextBlock.fetch_add(1);
            if (block >= m_blocks || m_stop.load(std::memory_order_relaxed))
                return;
            found.clear();
            if (!dealBlock(block, found))
                return;
            finish(block, found);
        }
    }

    GenerateOutcome outcome()
    {
        GenerateOutcome out;
        out.cancelled = m_cancelled.load();
        std::int64_t lastIndex = -1;
        for (auto &[block, deals] : m_done) {
            if (block >= m_prefix)
                break;
            for (const Found &f : deals) {
                if (out.deals.size() >= m_options.produce)
                    break;
                out.deals << f.deal;
                lastIndex = f.index;
            }
        }
        if (out.deals.size() >= m_options.produce && m_options.produce > 0)
            out.generated = lastIndex + 1;
        else
            out.generated = std::min(m_prefix * BlockSize, m_options.generateLimit);
        if (out.cancelled && m_progress)
            out.generated = m_progress->generated.load();
        return out;
    }

private:
    // Deals one block; false when the run was cancelled meanwhile.
    bool dealBlock(std::int64_t block, std::vector<Found> &found)
    {
        Random random(m_options.seed, std::uint64_t(block));
        Dealer dealer = m_dealer;
        const std::int64_t first = block * BlockSize;
        const std::int64_t end = std::min(first + BlockSize, m_options.generateLimit);
        std::int64_t counted = first;
        std::int64_t i = first;
        for (; i < end; ++i) {
            const Deal d = dealer.deal(random);
            if (accepts(m_program, d)) {
                found.push_back({i, d});
                // Later deals of this block can no longer be among the first ones wanted.
                if (std::int64_t(found.size()) >= m_options.produce) {
                    ++i;
                    break;
                }
            }
            if ((i + 1 - first) % CheckEvery == 0) {
                report(i + 1 - counted);
                counted = i + 1;
                if (m_progress && m_progress->cancel.load(std::memory_order_relaxed)) {
                    m_cancelled = true;
                    m_stop = true;
                    return false;
                }
            }
        }
        report(i - counted);
        return true;
    }

    void report(std::int64_t dealt)
    {
        if (m_progress && dealt > 0)
            m_progress->generated.fetch_add(dealt, std::memory_order_relaxed);
    }

    // Files the block's deals; once every block up to some point is in and together they hold
    // enough deals, nothing after that point can be wanted.
    void finish(std::int64_t block, std::vector<Found> &found)
    {
        std::lock_guard lock(m_mutex);
        m_done.emplace(block, found);
        for (auto it = m_done.find(m_prefix); it != m_done.end() && it->first == m_prefix; it = m_done.find(m_prefix)) {
            m_producedInPrefix += std::int64_t(it->second.size());
            ++m_prefix;
        }
        if (m_progress)
            m_progress->produced.store(std::min(m_producedInPrefix, m_options.produce));
        if (m_producedInPrefix >= m_options.produce)
            m_stop = true;
    }

    const Program &m_program;
    const GenerateOptions m_options;
    GenerateProgress *m_progress;
    const Dealer m_dealer;
    const std::int64_t m_blocks;
    std::atomic<std::int64_t> m_nextBlock {0};
    std::atomic<bool> m_stop {false};
    std::atomic<bool> m_cancelled {false};
    std::mutex m_mutex;
    std::map<std::int64_t, std::vector<Found>> m_done;
    std::int64_t m_prefix = 0; // blocks 0 .. m_prefix - 1 are all done
    std::int64_t m_producedInPrefix = 0;
};

} // namespace

GenerateOutcome generateDeals(const Program &program, const GenerateOptions &options, GenerateProgress *progress)
{
    GenerateOptions o = options;
    o.threads = std::clamp(o.threads, 1, 256);
    o.generateLimit = std::max<std::int64_t>(o.generateLimit, 0);
    if (o.produce <= 0)
        return {};
    Run run(program, o, progress);
    std::vector<std::thread> helpers;
    for (int t = 1; t < o.threads; ++t)
        helpers.emplace_back([&run] { run.work(); });
    run.work();
    for (std::thread &t : helpers)
        t.join();
    return run.outcome();
}

std::uint64_t freshSeed()
{
    return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace briqo::generate
