// The player's ship and its gun: how far one frame turns, speeds up and brakes the ship, and
// what a bullet does at each age. Every expected number is worked out by hand from the rules
// of play.

#include "enemies/enemy.h"
#include "fixtures.h"
#include "platform/sound.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "player/shot.h"
#include "world/assets.h"
#include "world/controls.h"
#include "world/pools.h"

#include <string>

namespace {

class Ship : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(soundInit(SOUND_FILES, SOUND_COUNT), 0);
        shipNewGame();
        poolsClear();
    }
};

}  // namespace

TEST_F(Ship, TurnsHalfATurnAndSpeedsUpOrBrakesByThreeHundredASecondWithinItsLimits)
{
    // Keys held, heading and speed before; heading, speed, x and y after a quarter of a second
    // from (1000, 1000): 180 * 0.25 = 45 degrees of turn, 300 * 0.25 = 75 of speed.
    const struct {
        const char* keys;
        double heading, speed, headingAfter, speedAfter, x, y;
    } cases[] = {{"L", 315, 100, 360, 100, 1025, 1000},     // 360 stays; 100 * 0.25 = 25 to the right
                 {"L", 350, 0, 35, 0, 1000, 1000},          // 395 - 360
                 {"R", 45, 100, 0, 100, 1025, 1000},        // 0 stays
                 {"R", 10, 0, 325, 0, 1000, 1000},          // -35 + 360
                 {"LR", 90, 100, 90, 100, 1000, 975},       // both: no turn; 25 up the screen
                 {"U", 180, 290, 180, 300, 925, 1000},      // 365 held at 300; 300 * 0.25 = 75 to the left
                 {"U", 270, 100, 270, 175, 1000, 1043.75},  // 175 * 0.25 down the screen
                 {"D", 0, 10, 0, 0, 1000, 1000},            // -65 held at 0: never backwards
                 {"D", 0, 75.5, 0, 0.5, 1000.125, 1000},    // 75.5 - 75 = 0.5; 0.5 * 0.25
                 {"UD", 0, 100, 0, 100, 1025, 1000}};       // both: no change
    for (const auto& c : cases) {
        const std::string keys = c.keys;
        controls = {};
        for (const auto& [letter, action] : {std::pair('L', Action::Left), std::pair('R', Action::Right),
                                             std::pair('U', Action::Thrust), std::pair('D', Action::Brake)})
            if (keys.find(letter) != std::string::npos)
                controls.held |= actionBit(action);
        PlayerShip.x = PlayerShip.y = 1000, PlayerShip.heading = c.heading, PlayerShip.speed = c.speed;
        shipUpdate(&PlayerShip, 0.25);
        EXPECT_NEAR(PlayerShip.heading, c.headingAfter, 1e-9) << keys << " from " << c.heading << ", " << c.speed;
        EXPECT_NEAR(PlayerShip.speed, c.speedAfter, 1e-9) << keys << " from " << c.heading << ", " << c.speed;
        EXPECT_NEAR(PlayerShip.x, c.x, 1e-9) << keys << " from " << c.heading << ", " << c.speed;
        EXPECT_NEAR(PlayerShip.y, c.y, 1e-9) << keys << " from " << c.heading << ", " << c.speed;
        EXPECT_EQ(std::pair(cameraX, cameraY), std::pair(PlayerShip.x, PlayerShip.y));
    }
}

TEST_F(Ship, ABulletHitsForFiftyTimesEToTheMinusItsAgeTillItIsOneSecondOldThenGoesQuietly)
{
    // its age before the frame, the frame's seconds; the enemy's health and the bullet's x after,
    // flying right at 20 pixels a second from (1000, 1000) at an enemy at (1010, 1000)
    const double cases[][4] = {{0, 0.1, 55, 1002},       // 50 * e^-0.1 = 45.24: 45; 20 * 0.1 = 2
                               {0.25, 0.25, 70, 1005},   // 50 * e^-0.5 = 30.33: 30
                               {0.5, 0.5, 82, 1010},     // exactly a second old: 50 * e^-1 = 18.39: 18
                               {0.75, 0.5, 100, 1000}};  // 1.25 s: gone, no hit, no sound, no last move
    for (const auto& [age, seconds, health, x] : cases) {
        poolsClear();
        Mix_HaltChannel(-1);
        ASSERT_EQ(enemySpawn(), 0);
        EnemyPool[0].x = 1010, EnemyPool[0].y = 1000;
        ASSERT_EQ(bulletSpawn(1000, 1000, 0, 20), 0);
        ShotPool[0].vars[SHOT_AGE] = age;
        bulletUpdate(&ShotPool[0], seconds);
        EXPECT_EQ(EnemyPool[0].health, health) << age + seconds << " s old";
        EXPECT_NEAR(ShotPool[0].x, x, 1e-9) << age + seconds << " s old";
        EXPECT_EQ(std::pair(ShotPool[0].active, Mix_Playing(0)), std::pair(false, health < ENTITY_HEALTH ? 1 : 0))
            << age + seconds << " s old";
    }
    // A spawn says whether it found a slot: 0 while the shots' pool has one, -1 once it is full.
    poolsClear();
    for (int i = 0; i < SHOT_POOL_SIZE - 1; i++)
        ASSERT_EQ(bulletSpawn(1000, 1000, 0, 20), 0);
    EXPECT_EQ(missileSpawn(1000, 1000, 0, 20), 0);
    EXPECT_EQ(std::pair(bulletSpawn(1000, 1000, 0, 20), missileSpawn(1000, 1000, 0, 20)), std::pair(-1, -1));
}
