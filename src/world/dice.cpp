#include "world/dice.h"

#include <array>

namespace {

constexpr int DEGREE = 31;      // words of state
constexpr int SEPARATION = 3;   // the front tap runs this far ahead of the rear one
constexpr int DISCARDED = 310;  // rolls thrown away after seeding: ten for every word

struct Dice {
    std::array<std::int32_t, DEGREE> state;
    int front, rear;
};

Dice seeded(std::uint32_t seed)
{
    Dice dice{};
    // The seed's words by Park and Miller's minimal standard, 16807 * x mod (2^31 - 1),
    // worked out by Schrage's method in signed arithmetic: a seed of 2^31 or more is a
    // negative number here, as it is in glibc.
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    dice.state[0] = word;
    for (int i = 1; i < DEGREE; i++) {
        const std::int64_t hi = word / 127773, lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        dice.state[i] = word;
    }
    dice.front = SEPARATION;
    dice.rear = 0;
    return dice;
}

std::int32_t roll(Dice* dice)
{
    // Both taps are added in unsigned 32 bits, and the lowest, least random bit is dropped.
    const std::uint32_t sum = static_cast<std::uint32_t>(dice->state[dice->front]) +
        static_cast<std::uint32_t>(dice->state[dice->rear]);
    dice->state[dice->front] = static_cast<std::int32_t>(sum);
    dice->front = (dice->front + 1) % DEGREE;
    dice->rear = (dice->rear + 1) % DEGREE;
    return static_cast<std::int32_t>(sum >> 1);
}

Dice started(std::uint32_t seed)
{
    Dice dice = seeded(seed);
    for (int i = 0; i < DISCARDED; i++)
        roll(&dice);
    return dice;
}

Dice dice = started(1);

}  // namespace

void diceSeed(std::uint32_t seed)
{
    dice = started(seed);
}

int diceRoll()
{
    return roll(&dice);
}
