// The generator's one source of chance, splitmix64: small, seeded and the same on every build
// and host, so every build draws the same pictures and synthesises the same sounds.
#pragma once

#include <cstdint>

// Stirs a 64-bit word so that neighbouring words come out unrelated: splitmix64's finish,
// usable alone to hash a lattice point into a value.
constexpr std::uint64_t randomMix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The top 53 bits of a word as a number in [0, 1).
constexpr double randomUnit(std::uint64_t bits)
{
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

// A seeded stream of numbers: each draw steps the state on by the golden ratio and stirs it.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) { }
    std::uint64_t next() { return randomMix(state_ += 0x9E3779B97F4A7C15ull); }
    double uniform() { return randomUnit(next()); }                                   // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }  // [low, high)
    int below(int n) { return static_cast<int>(uniform() * n); }                      // [0, n)

private:
    std::uint64_t state_;
};
