// The player's ship and its weapons: the firing rhythm and the sound of a shot that finds no
// slot. The golden games of play_test guard the rest.

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
    static int liveShots()
    {
        int count = 0;
        for (const Entity& shot : ShotPool)
            count += shot.active;
        return count;
    }
};

}  // namespace

TEST_F(Ship, FiresABulletEverySixFramesAndAMissilePairEveryTwentySixAndAfterAPauseAtOnce)
{
    keySpace = keyM = 1;
    std::vector<int> bullets, missiles;
    for (int frame = 1; frame <= 60; frame++) {
        const int before = liveShots();
        shipUpdate(&PlayerShip, 0.02);
        if (bulletCooldown == 0)
            bullets.push_back(frame);
        if (missileCooldown == 0)
            missiles.push_back(frame);
        EXPECT_EQ(liveShots() - before, (bulletCooldown == 0) + 2 * (missileCooldown == 0)) << frame;
    }
    EXPECT_EQ(bullets, (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60}));
    EXPECT_EQ(missiles, (std::vector<int>{26, 52}));
    keySpace = keyM = 0;
    poolsClear();
    shipUpdate(&PlayerShip, 0.3);  // the cooldowns gather while no key is held
    shipUpdate(&PlayerShip, 0.3);
    keyRightCtrl = keyRightShift = 1;
    shipUpdate(&PlayerShip, 0.3);
    EXPECT_EQ(liveShots(), 3);
}

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
