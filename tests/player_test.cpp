// The player's ship and its weapons: the sound of a shot that finds no slot, and where the
// missiles of a pair go when only one fits. The golden demos of play_test guard the rest.

#include "enemies/enemy.h"
#include "fixtures.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "player/shot.h"
#include "world/motion.h"
#include "world/passes.h"
#include "world/pools.h"

#include <cmath>

namespace {

class Ship : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        shipNewGame();
        poolsClear();
        bulletCooldown = missileCooldown = 0;
    }
};

}  // namespace

TEST_F(Ship, AFullShotPoolStillSoundsAndRestartsTheCooldownAndOneFreeSlotTakesTheRightMissile)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(soundInit(), 0);
    for (int i = 0; i < SHOT_POOL_SIZE; i++)
        ASSERT_EQ(bulletSpawn(2000, 2000, 0, 0), 0);
    EXPECT_EQ(missileSpawn(2000, 2000, 0, 0), -1);
    bulletCooldown = 0.1;
    keySpace = 1;
    shipUpdate(&PlayerShip, 0.02);
    EXPECT_EQ(bulletCooldown, 0);
    EXPECT_TRUE(Mix_Playing(0));
    ShotPool[17].active = 0;
    PlayerShip.x = PlayerShip.y = 1000, PlayerShip.heading = 90;  // the right launcher toward +x
    missileCooldown = 0.5;
    keyM = 1;
    shipUpdate(&PlayerShip, 0.02);
    EXPECT_EQ(ShotPool[17].type, &missileType);
    EXPECT_NEAR(ShotPool[17].x, 1017, 1e-9);
    EXPECT_NEAR(ShotPool[17].y, 1000, 1e-9);
    EXPECT_TRUE(Mix_Playing(1));
}
