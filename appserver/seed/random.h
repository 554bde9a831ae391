#pragma once

#include <QtGlobal>

#include <cstdint>
#include <iterator>

namespace Seed {

// A fixed generator (SplitMix64) with its own range functions: the standard distributions
// differ between library versions, and the demo data must be the same everywhere.
class Random final
{
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 <= result < bound (bound > 0); the tiny modulo bias does not matter for demo data.
    int below(int bound) { return bound <= 1 ? 0 : int(next() % std::uint64_t(bound)); }
    // low <= result <= high
    int between(int low, int high) { return low + below(high - low + 1); }
    // true with the given chance in percent
    bool percent(int chance) { return below(100) < chance; }
    // a price-like amount in [low, high] with two decimals
    double amount(double low, double high)
    {
        const auto cents = qint64(low * 100) + qint64(next() % std::uint64_t(qint64((high - low) * 100) + 1));
        return double(cents) / 100.0;
    }

    template<typename Container> const auto &pick(const Container &items)
    {
        return items[below(int(std::size(items)))];
    }

private:
    std::uint64_t m_state;
};

} // namespace Seed
