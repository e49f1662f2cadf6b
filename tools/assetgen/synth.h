// Building blocks for Skarvel's synthesised sound effects: noise, filters and the finishing
// (normalise, fade, 16-bit WAV output) that every effect goes through.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "random.h"

namespace sfx {

constexpr int RATE = 22050;
constexpr double PI = 3.14159265358979323846;

using Buffer = std::vector<double>;

inline Buffer silence(double seconds)
{
    return Buffer(static_cast<std::size_t>(seconds * RATE + 0.5), 0.0);
}

// Seeded white noise in [-1, 1), the same on every build.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : random_(seed) { }
    double operator()() { return 2.0 * random_.uniform() - 1.0; }
    double uniform() { return random_.uniform(); }  // [0, 1)

private:
    Random random_;
};

// Topology-preserving state-variable filter; cutoff may change every sample.
class Filter {
public:
    void tune(double cutoffHz, double q);
    void step(double x);
    double low() const { return low_; }
    double band() const { return band_; }
    double high() const { return high_; }

private:
    double a1_ = 0, a2_ = 0, a3_ = 0, k_ = 1, ic1_ = 0, ic2_ = 0;
    double low_ = 0, band_ = 0, high_ = 0;
};

// A decaying sine partial added into `buf` from `start` seconds on.
void addPartial(Buffer& buf, double start, double freq, double amp, double decay);

// Removes DC, fades in and out (so the ends are silent) and scales to a -1 dBFS peak.
void finish(Buffer& buf, double fadeInMs, double fadeOutMs);

// Writes 22050 Hz mono 16-bit PCM; throws std::runtime_error when it cannot.
void writeWav(const Buffer& buf, const std::filesystem::path& path);

}  // namespace sfx
