#include "synth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

namespace sfx {

void Filter::tune(double cutoffHz, double q)
{
    const double fc = std::clamp(cutoffHz, 10.0, RATE * 0.45);
    const double g = std::tan(PI * fc / RATE);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

void Filter::step(double x)
{
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    low_ = v2;
    band_ = v1;
    high_ = x - k_ * v1 - v2;
}

void addPartial(Buffer& buf, double start, double freq, double amp, double decay)
{
    const std::size_t first = static_cast<std::size_t>(start * RATE);
    for (std::size_t i = first; i < buf.size(); ++i) {
        const double t = static_cast<double>(i - first) / RATE;
        buf[i] += amp * std::exp(-decay * t) * std::sin(2 * PI * freq * t);
    }
}

void finish(Buffer& buf, double fadeInMs, double fadeOutMs)
{
    if (buf.empty())
        return;
    // gentle DC blocker
    double prevIn = 0, prevOut = 0;
    const double r = 1.0 - 2 * PI * 20.0 / RATE;
    for (double& s : buf) {
        const double out = s - prevIn + r * prevOut;
        prevIn = s;
        prevOut = out;
        s = out;
    }
    const std::size_t n = buf.size();
    const std::size_t in = std::max<std::size_t>(2, static_cast<std::size_t>(fadeInMs * RATE / 1000));
    const std::size_t out = std::max<std::size_t>(2, static_cast<std::size_t>(fadeOutMs * RATE / 1000));
    for (std::size_t i = 0; i < std::min(in, n); ++i)
        buf[i] *= 0.5 - 0.5 * std::cos(PI * static_cast<double>(i) / in);
    for (std::size_t j = 0; j < std::min(out, n); ++j)
        buf[n - 1 - j] *= 0.5 - 0.5 * std::cos(PI * static_cast<double>(j) / out);
    double peak = 0;
    for (double s : buf)
        peak = std::max(peak, std::abs(s));
    if (peak <= 0)
        return;
    const double gain = std::pow(10.0, -1.0 / 20.0) / peak;
    for (double& s : buf)
        s *= gain;
}

namespace {
struct SoundFileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;
}  // namespace

void writeWav(const Buffer& buf, const std::filesystem::path& path)
{
    SF_INFO info{};
    info.samplerate = RATE;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(nullptr));
    std::vector<short> pcm(buf.size());
    std::transform(buf.begin(), buf.end(), pcm.begin(),
                   [](double s) { return static_cast<short>(std::clamp(std::lround(s * 32767.0), -32767L, 32767L)); });
    const sf_count_t n = static_cast<sf_count_t>(pcm.size());
    if (sf_write_short(file.get(), pcm.data(), n) != n)
        throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(file.get()));
    if (sf_close(file.release()) != 0)
        throw std::runtime_error("cannot finish " + path.string());
}

}  // namespace sfx
