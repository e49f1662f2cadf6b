// Time in the game: the length of each frame and the measured frame rate, across the
// millisecond clock's wrap; and a game from its start to its end.

#include "fixtures.h"
#include "game/frameloop.h"
#include "platform/input.h"
#include "player/ship.h"
#include "world/motion.h"
#include "world/pools.h"

TEST(FrameClock, AFramesLengthIsTheTimeSinceThePreviousOne)
{
    FrameClock clock;
    frameClockStart(&clock, 5000);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 5020), 0.020);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 5021), 0.001);
    EXPECT_DOUBLE_EQ(frameClockAdvance(&clock, 8021), 3.0);
}

TEST(FrameClock, TheRateIsMeasuredOverEveryTwentyFrames)
{
    framesPerSecond = 0;
    FrameClock clock;
    frameClockStart(&clock, 1000);
    Uint32 now = 1000;
    for (int frame = 1; frame < 20; frame++) {
        frameClockAdvance(&clock, now += 25);
        ASSERT_EQ(framesPerSecond, 0) << frame;
    }
    frameClockAdvance(&clock, now += 25);  // twenty frames in half a second
    EXPECT_DOUBLE_EQ(framesPerSecond, 40);
    EXPECT_EQ(clock.framesInWindow, 0);
    for (int frame = 0; frame < 19; frame++)
        frameClockAdvance(&clock, now += 10);
    EXPECT_DOUBLE_EQ(framesPerSecond, 40);  // kept until the next window is full
    frameClockAdvance(&clock, now += 10);
    EXPECT_DOUBLE_EQ(framesPerSecond, 100);
}

TEST(FrameClock, StaysRightWhenTheMillisecondClockWraps)
{
    framesPerSecond = 0;
    FrameClock clock;
    Uint32 now = 0xFFFFFFFFu - 95;
    frameClockStart(&clock, now);
    double total = 0;
    for (int frame = 0; frame < 20; frame++)
        total += frameClockAdvance(&clock, now += 10);
    EXPECT_LT(now, 200u);  // the clock has wrapped inside the window
    EXPECT_NEAR(total, 0.2, 1e-12);
    EXPECT_DOUBLE_EQ(framesPerSecond, 100);
}

TEST(FrameClock, WaitingForANewTickAlwaysGivesAFrameOfAtLeastAMillisecond)
{
    useDummyDrivers();
    SDL_Init(SDL_INIT_TIMER);
    const Uint32 before = SDL_GetTicks();
    const Uint32 after = frameWaitForTick(before);
    EXPECT_NE(after, before);
    EXPECT_GE(after - before, 1u);
    SDL_Quit();
}

class Game : public GameTest { };

TEST_F(Game, EveryGameBeginsWithTheShipAtHomeAndOneHundredNinetyNineEnemies)
{
    lives = 0;
    for (int round = 0; round < 2; round++) {
        gameStart();
        EXPECT_EQ(enemyCount, 199);
        EXPECT_EQ(lives, 3);
        EXPECT_EQ(PlayerShip.x, 0);
        EXPECT_EQ(PlayerShip.health, SHIP_HEALTH);
        int live = 0;
        for (const Entity& enemy : EnemyPool)
            live += enemy.active != 0;
        EXPECT_EQ(live, 199);
        EXPECT_EQ(EnemyPool[199].active, 0);
    }
}

TEST_F(Game, EscapeEndsTheGameAfterAWholeFrame)
{
    gameStart();
    PlayerShip.x = 1234;
    PlayerShip.y = 777;
    pushKey(SDLK_ESCAPE, true);
    gamePlay();                    // returns after the one frame
    EXPECT_NE(PlayerShip.y, 777);  // the ship was still updated in that frame
    EXPECT_EQ(lives, 3);
}

TEST_F(Game, LosingTheLastLifeEndsTheGameWithoutAnyKey)
{
    gameStart();
    lives = 0;
    entityDamage(&PlayerShip, SHIP_HEALTH);
    EXPECT_EQ(lives, -1);
    EXPECT_EQ(PlayerShip.active, 1);  // already back at home
    gamePlay();                       // ends after its first frame
    EXPECT_TRUE(shipIsGameOver());
}
