// The soak: hundreds of thousands of frames of random play over many games, with frames from
// a millisecond to three-second stalls, every rule checked after every frame. Meant to run in
// the sanitizer build too, where any bad memory access or undefined arithmetic stops it.
//
// SKARVEL_SOAK_FRAMES sets the number of frames (200000 when unset), SKARVEL_SOAK_SEED the
// player's seed. Every frame polls the keyboard and updates the world; every
// SKARVEL_SOAK_DRAW_EVERY-th frame (4 when unset, 1 draws them all) is also drawn and
// flipped, as drawing is by far the dearest part of a frame.

#include "heapcount.h"
#include "playharness.h"

#include "player/ship.h"
#include "world/pools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace {

long fromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atol(text) : fallback;
}

}  // namespace

TEST(Soak, ManyGamesOfRandomPlayKeepEveryRuleAfterEveryFrame)
{
    const long frames = fromEnvironment("SKARVEL_SOAK_FRAMES", 200000);
    const long drawEvery = std::max(1L, fromEnvironment("SKARVEL_SOAK_DRAW_EVERY", 4));
    RandomPlayer player(static_cast<std::uint32_t>(fromEnvironment("SKARVEL_SOAK_SEED", 1)));
    ASSERT_TRUE(playStartup());

    PlayWatch watch;
    playGameStart(watch);
    long games = 1, gamesLost = 0, drawn = 0, stalls = 0, kills = 0;
    double played = 0;
    for (long frame = 0; frame < frames; frame++) {
        const HeldKeys keys = player.nextKeys(20000);
        const double seconds = player.nextSeconds();
        const bool draw = frame % drawEvery == 0;
        const int enemiesBefore = enemyCount;

        playKeys(keys);
        const long before = heapCountTotal();
        if (frame > 0)
            heapCountStart();
        const int ended = playStep(seconds, draw);
        heapCountStop();
        ASSERT_EQ(heapCountTotal(), before) << "frame " << frame << " took memory from the heap";

        const std::string broken = playRulesBroken(watch);
        ASSERT_EQ(broken, "") << "frame " << frame << ", " << seconds << " s, game " << games;
        kills += enemiesBefore - enemyCount;
        drawn += draw;
        stalls += seconds > 0.3;
        played += seconds;
        if (ended) {
            gamesLost += shipIsGameOver();
            games++;
            playGameStart(watch);
        }
    }
    std::cout << frames << " frames (" << drawn << " drawn), " << played << " s of play, " << stalls << " stalls, "
              << games << " games (" << gamesLost << " lost), " << kills << " enemies down\n";
    EXPECT_GT(games, 1);
}
