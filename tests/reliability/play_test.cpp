// Rough play: the rules of the world checked after every frame of random and scripted games,
// with frames from a millisecond to stalls of three seconds, and no heap allocation once
// play has begun.

#include "heapcount.h"
#include "playharness.h"

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "game/frameloop.h"
#include "platform/digits.h"
#include "platform/startup.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "world/pools.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One line of a scripted game: this many frames of this length with these keys held.
struct ScriptStep {
    int frames;
    int milliseconds;
    const char* keys;  // letters as keysFromLetters reads them
};

class Play : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(playStartup());
        playGameStart(watch);
    }

    // Plays the steps in a loop until the frames are used up, restarting games that end.
    // Fails at the first frame that breaks a rule.
    void playScript(const std::vector<ScriptStep>& script, long totalFrames)
    {
        long played = 0;
        while (played < totalFrames) {
            for (const ScriptStep& step : script) {
                for (int frame = 0; frame < step.frames && played < totalFrames; frame++, played++) {
                    const int ended = playFrame(keysFromLetters(step.keys), step.milliseconds / 1000.0, true);
                    const std::string broken = playRulesBroken(watch);
                    ASSERT_EQ(broken, "") << "frame " << played << " of the script";
                    if (ended) {
                        gamesEnded++;
                        playGameStart(watch);
                    }
                }
            }
        }
    }

    PlayWatch watch;
    int gamesEnded = 0;
};

}  // namespace

TEST_F(Play, RandomGamesKeepEveryRuleAfterEveryFrame)
{
    RandomPlayer player(20240601);
    for (long frame = 0; frame < 10000; frame++) {
        const HeldKeys keys = player.nextKeys(3000);
        const int ended = playFrame(keys, player.nextSeconds(), true);
        const std::string broken = playRulesBroken(watch);
        ASSERT_EQ(broken, "") << "frame " << frame;
        if (ended)
            playGameStart(watch);
    }
}

TEST_F(Play, AfterItsFirstFrameTheGameAllocatesNothingFromTheHeap)
{
    if (!heapCountAvailable())
        GTEST_SKIP() << "a sanitizer build keeps its own allocator";
    RandomPlayer player(7);
    playFrame(HeldKeys{}, 0.016, true);  // SDL sets up its own drawing on the first flip
    long games = 1;
    for (long frame = 1; frame < 10000; frame++) {
        const HeldKeys keys = player.nextKeys(2000);
        const double seconds = player.nextSeconds();
        playKeys(keys);  // SDL's queue may take memory for the player's events, not the game
        const long before = heapCountTotal();
        heapCountStart();
        const int ended = playStep(seconds, true);
        heapCountStop();
        ASSERT_EQ(heapCountTotal(), before) << "frame " << frame << " of game " << games;
        if (ended) {
            games++;
            // A new game reuses the pools and pictures of the last one.
            heapCountStart();
            playGameStart(watch);
            heapCountStop();
            ASSERT_EQ(heapCountTotal(), before) << "the start of game " << games;
        }
    }
    EXPECT_GT(games, 1);
}

TEST_F(Play, EveryPictureIsReadyForTheScreenBeforeTheFirstGame)
{
    if (!heapCountAvailable())
        GTEST_SKIP() << "a sanitizer build keeps its own allocator";
    // The first time a craft turns to a new heading its picture meets the screen for the
    // first time: SDL must have nothing left to prepare for it then.
    std::vector<SDL_Surface*> pictures = {backgroundImage, numbersImage, smallShipIcon, bulletSprite};
    for (const SpriteFrames* frames : {&shipFrames, &enemyFrames, &missileFrames, &shrapnelFrames})
        pictures.insert(pictures.end(), frames->begin(), frames->end());
    for (SDL_Surface* picture : pictures) {
        ASSERT_NE(picture, nullptr);
        SDL_Rect place{100, 100, 0, 0};
        const long before = heapCountTotal();
        heapCountStart();
        SDL_BlitSurface(picture, nullptr, screenSurface, &place);
        heapCountStop();
        ASSERT_EQ(heapCountTotal(), before) << picture->w << " x " << picture->h << " picture";
    }
}

TEST_F(Play, StallsOfThreeSecondsWhileTurningFlyingAndFiringKeepEverythingInTheWorld)
{
    playScript({{5, 3000, "LUFM"},
                {3, 1, "LUFM"},
                {4, 3000, "RDCH"},
                {2, 2999, "RUFH"},
                {1, 17, ""},
                {6, 3000, "LFM"},
                {3, 1000, "RM"}},
               3000);
}

TEST_F(Play, ThousandsOfOneMillisecondFramesWithEveryKeyHeldFillTheShotPoolSafely)
{
    playScript({{500, 1, "UDLRFCMH"}, {500, 1, "LUFCMH"}, {500, 1, "RDFM"}}, 6000);
}

TEST_F(Play, AShipThatStopsAmongTheEnemiesLosesEveryLifeAndTheNextGameStartsWhole)
{
    // Braked to a stop, the ship waits in long frames for the enemies to come and ram it.
    long frames = 0;
    int livesSeen = lives;
    while (!shipIsGameOver() && frames < 200000) {
        const HeldKeys keys = keysFromLetters(frames % 50 < 2 ? "LD" : "D");
        const int ended = playFrame(keys, frames % 7 == 0 ? 0.5 : 0.03, frames % 10 == 0);
        ASSERT_EQ(playRulesBroken(watch), "") << "frame " << frames;
        ASSERT_GE(lives, livesSeen - 1) << "one ram takes one life at most";
        livesSeen = lives;
        frames++;
        if (ended)
            break;
    }
    ASSERT_TRUE(shipIsGameOver()) << "after " << frames << " frames";
    EXPECT_EQ(lives, -1);
    EXPECT_LT(enemyCount, ENEMIES_PER_GAME);

    playGameStart(watch);
    EXPECT_EQ(enemyCount, ENEMIES_PER_GAME);
    EXPECT_EQ(lives, START_LIVES);
    playScript({{200, 16, "UF"}}, 200);
}
