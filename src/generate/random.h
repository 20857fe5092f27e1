#pragma once
// The random numbers of the deal generator: xoshiro256** seeded through splitmix64, and bounded
// draws by multiplication with rejection. Every step is plain 64-bit integer arithmetic, so a
// seed gives the same deals with every compiler, machine and number of threads.

#include <cstdint>

namespace briqo::generate {

constexpr std::uint64_t splitMix64(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

class Random {
public:
    // The stream of one block of deals: the seed of the run and the number of the block.
    Random(std::uint64_t seed, std::uint64_t stream)
    {
        std::uint64_t sm = seed;
        const std::uint64_t mixedSeed = splitMix64(sm);
        std::uint64_t state = mixedSeed ^ (stream * 0xD1B54A32D192ED03ULL);
        for (std::uint64_t &word : m_s)
            word = splitMix64(state);
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    // 32 random bits; each 64-bit step gives two.
    std::uint32_t next32()
    {
        if (m_halfLeft) {
            m_halfLeft = false;
            return std::uint32_t(m_half);
        }
        m_half = next();
        m_halfLeft = true;
        return std::uint32_t(m_half >> 32);
    }

    // A number in 0 .. range - 1, every value equally likely (range at least 1).
    std::uint32_t below(std::uint32_t range)
    {
        std::uint64_t m = std::uint64_t(next32()) * range;
        std::uint32_t low = std::uint32_t(m);
        if (low < range) {
            const std::uint32_t threshold = std::uint32_t(-range) % range;
            while (low < threshold) {
                m = std::uint64_t(next32()) * range;
                low = std::uint32_t(m);
            }
        }
        return std::uint32_t(m >> 32);
    }

private:
    static constexpr std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_s[4] {};
    std::uint64_t m_half = 0;
    bool m_halfLeft = false;
};

} // namespace briqo::generate
