#include <cmath>

#include "generators.h"
#include "synth.h"

namespace art {
namespace {

using sfx::Buffer;
using sfx::Filter;
using sfx::Noise;
using sfx::PI;
using sfx::RATE;

double timeOf(std::size_t i)
{
    return static_cast<double>(i) / RATE;
}

// A bright falling laser zap with a little FM bite.
Buffer shoot()
{
    Buffer b = sfx::silence(0.13);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        const double f = 300 + 2500 * std::exp(-t * 24);
        phase += 2 * PI * f / RATE;
        const double fm = (2.5 * std::exp(-t * 30)) * std::sin(phase * 2.01);
        const double tone = std::sin(phase + fm);
        b[i] = (0.8 * tone + 0.2 * std::tanh(3 * tone)) * std::exp(-t * 20);
    }
    sfx::finish(b, 2, 12);
    return b;
}

// Ignition pop, then a rushing band of noise that sweeps up and away.
Buffer missile()
{
    Buffer b = sfx::silence(0.48);
    Noise noise(101);
    Filter band, body;
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        const double sweep = t < 0.12 ? 500 + 2800 * (t / 0.12) : 3300 * std::exp(-(t - 0.12) * 3.5);
        band.tune(sweep, 2.6);
        body.tune(350, 0.7);
        const double n = noise();
        band.step(n);
        body.step(n);
        phase += 2 * PI * (80 + 70 * std::min(1.0, t / 0.2)) / RATE;
        const double crackle = noise.uniform() < 0.02 ? noise() : 0.0;
        const double env = std::min(1.0, t / 0.035) * std::exp(-t * 3.2);
        b[i] =
            env * (1.8 * band.band() + 0.9 * body.low() + 0.25 * std::sin(phase) + 0.2 * crackle * std::exp(-t * 6)) +
            0.6 * std::exp(-t * 90) * noise();
    }
    sfx::finish(b, 3, 60);
    return b;
}

// A sharp crack over a darkening roar and a deep falling thump.
Buffer explosion()
{
    Buffer b = sfx::silence(0.58);
    Noise noise(202);
    Filter roar, rumble, crack;
    double phase = 0, brown = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        const double pop = noise.uniform() < 0.015 * std::exp(-t * 9) ? noise() * 6.0 : 0.0;
        const double n = noise();
        roar.tune(150 + 3800 * std::exp(-t * 6), 0.8);
        roar.step(n + pop);
        brown = 0.985 * brown + 0.15 * n;
        rumble.tune(180, 0.9);
        rumble.step(brown);
        crack.tune(2500, 0.7);
        crack.step(n);
        phase += 2 * PI * (38 + 90 * std::exp(-t * 9)) / RATE;
        const double s = 1.1 * crack.high() * std::exp(-t * 120) + 1.0 * roar.low() * std::exp(-t * 5.5) +
            1.4 * rumble.low() * std::exp(-t * 4) + 0.9 * std::sin(phase) * std::exp(-t * 8);
        b[i] = std::tanh(1.6 * s);
    }
    sfx::finish(b, 2, 70);
    return b;
}

// Low metallic clang: inharmonic plate modes, slightly detuned in pairs so they beat.
Buffer clang()
{
    Buffer b = sfx::silence(0.38);
    const double base = 196;
    const double ratio[] = {1.0, 2.32, 4.25, 6.63, 9.38};
    const double amp[] = {1.0, 0.75, 0.5, 0.32, 0.2};
    for (int p = 0; p < 5; ++p) {
        const double decay = 7 + 4.5 * p;
        sfx::addPartial(b, 0, base * ratio[p], amp[p] * 0.6, decay);
        sfx::addPartial(b, 0, base * ratio[p] + 1.7 + p, amp[p] * 0.4, decay * 1.2);
    }
    Noise noise(303);
    Filter strike;
    strike.tune(2600, 1.4);
    for (std::size_t i = 0; i < b.size(); ++i) {
        strike.step(noise());
        b[i] += 1.2 * strike.band() * std::exp(-timeOf(i) * 160);
    }
    sfx::finish(b, 1.5, 40);
    return b;
}

// A crunch: a cluster of gritty noise grains over a short low body.
Buffer crunch()
{
    Buffer b = sfx::silence(0.26);
    Noise noise(404);
    for (int g = 0; g < 46; ++g) {
        const double start = 0.19 * std::pow(noise.uniform(), 1.8);
        const double length = 0.002 + 0.007 * noise.uniform();
        const double amp = (0.4 + 0.6 * noise.uniform()) * std::exp(-start * 9);
        Filter f;
        f.tune(700 + 3000 * noise.uniform(), 2.0);
        const std::size_t first = static_cast<std::size_t>(start * RATE);
        const std::size_t count = static_cast<std::size_t>(length * RATE);
        for (std::size_t j = 0; j < count && first + j < b.size(); ++j) {
            f.step(noise());
            const double w = std::sin(PI * static_cast<double>(j) / count);
            b[first + j] += 2.2 * amp * w * f.band();
        }
    }
    Filter body;
    body.tune(380, 0.9);
    double held = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        body.step(noise());
        // coarse sample-and-hold for grit
        if (i % 4 == 0)
            held = b[i];
        b[i] = std::tanh(2.0 * (0.6 * b[i] + 0.4 * held + 1.6 * body.low() * std::exp(-t * 28)));
    }
    sfx::finish(b, 1.5, 35);
    return b;
}

// A dull thud that leaves the hull ringing.
Buffer thud()
{
    Buffer b = sfx::silence(0.36);
    Noise noise(505);
    Filter soft;
    soft.tune(260, 0.8);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        phase += 2 * PI * (52 + 45 * std::exp(-t * 25)) / RATE;
        soft.step(noise());
        b[i] = 1.0 * std::sin(phase) * std::exp(-t * 18) + 2.5 * soft.low() * std::exp(-t * 40);
    }
    sfx::addPartial(b, 0.004, 1318, 0.22, 9);
    sfx::addPartial(b, 0.004, 1987, 0.15, 12);
    sfx::addPartial(b, 0.004, 2712, 0.09, 17);
    sfx::finish(b, 2, 40);
    return b;
}

}  // namespace

void writeSounds(const std::filesystem::path& sounds)
{
    sfx::writeWav(shoot(), sounds / fileName(SOUND_FILES[SOUND_SHOOT]));
    sfx::writeWav(missile(), sounds / fileName(SOUND_FILES[SOUND_MISSILE]));
    sfx::writeWav(explosion(), sounds / fileName(SOUND_FILES[SOUND_EXPLODE]));
    sfx::writeWav(clang(), sounds / fileName(SOUND_FILES[SOUND_IMPACT1]));
    sfx::writeWav(crunch(), sounds / fileName(SOUND_FILES[SOUND_IMPACT2]));
    sfx::writeWav(thud(), sounds / fileName(SOUND_FILES[SOUND_IMPACT3]));
}

}  // namespace art
