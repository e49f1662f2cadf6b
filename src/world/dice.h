// The game's own dice, the same on every host: the additive generator glibc's srand and rand
// use (TYPE_3 of random_r: 31 words, the second tap 3 behind), seeded and stepped exactly as
// glibc does it, so that a demo recorded anywhere unfolds into the same world everywhere and
// the games recorded on glibc before the dice were the game's own unfold as they did.
#pragma once

#include <cstdint>

// Starts the dice over from a seed, as srand does: the seed is taken as a signed 32-bit
// number and 0 counts as 1. Before any seed the dice stand as after diceSeed(1).
void diceSeed(std::uint32_t seed);

// The next number, 0 to 2^31 - 1, as rand gives it.
int diceRoll();

// A whole number from 0 to n - 1: the roll modulo n, as the game has always drawn them.
inline int diceBelow(int n)
{
    return diceRoll() % n;
}
