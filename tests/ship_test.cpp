// The player's ship and its weapons: steering, the firing rhythm, where shots start and
// how they fly, what they do to enemies, and dying.

#include "display/background.h"
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

#include <SDL_mixer.h>

#include <cmath>

namespace {

class Ship : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        shipNewGame();
        poolsClear();
        bulletCooldown = 0;
        missileCooldown = 0;
    }
    int liveShots()
    {
        int count = 0;
        for (const Entity& shot : ShotPool)
            count += shot.active != 0;
        return count;
    }
    // A standing enemy at a chosen place, made the way the game makes them.
    Entity* enemyAt(double x, double y, int health = 100)
    {
        int slot = 0;
        while (EnemyPool[slot].active)
            slot++;
        EXPECT_EQ(enemySpawn(), 0);
        Entity* enemy = &EnemyPool[slot];
        enemy->x = x;
        enemy->y = y;
        enemy->health = health;
        enemy->speed = 0;
        return enemy;
    }
};

}  // namespace

TEST_F(Ship, TurnsBothWaysAndWrapsTheHeadingOnce)
{
    keyLeft = 1;
    shipUpdate(&PlayerShip, 0.5);
    EXPECT_DOUBLE_EQ(PlayerShip.heading, 180);
    PlayerShip.heading = 359;
    shipUpdate(&PlayerShip, 2.0 / 180);
    EXPECT_NEAR(PlayerShip.heading, 1, 1e-9);
    keyRight = 1;  // both held: no turn
    shipUpdate(&PlayerShip, 0.5);
    EXPECT_NEAR(PlayerShip.heading, 1, 1e-9);
    keyLeft = 0;
    shipUpdate(&PlayerShip, 2.0 / 180);
    EXPECT_NEAR(PlayerShip.heading, 359, 1e-9);
    keyRight = 0;
    PlayerShip.heading = 360;
    shipUpdate(&PlayerShip, 0.1);
    EXPECT_EQ(PlayerShip.heading, 360);
}

TEST_F(Ship, ThrustAndBrakeStayBetweenStandstillAndFullSpeed)
{
    keyUp = 1;
    shipUpdate(&PlayerShip, 0.5);
    EXPECT_EQ(PlayerShip.speed, SHIP_MAX_SPEED);
    keyUp = 0;
    keyDown = 1;
    shipUpdate(&PlayerShip, 0.5);
    EXPECT_EQ(PlayerShip.speed, 150);
    PlayerShip.speed = 10;
    shipUpdate(&PlayerShip, 0.05);
    EXPECT_EQ(PlayerShip.speed, 0);
    keyUp = 1;  // both held: the speed stays
    shipUpdate(&PlayerShip, 0.5);
    EXPECT_EQ(PlayerShip.speed, 0);
}

TEST_F(Ship, DrawsThePictureForItsHeading)
{
    const struct {
        double heading;
        int frame;
    } cases[] = {{0, 0}, {5.6, 0}, {5.625, 1}, {90, 16}, {360, 0}, {359.99, 63}, {-10, 63}, {725, 0}};
    for (const auto& c : cases) {
        PlayerShip.heading = c.heading;
        shipDraw(&PlayerShip);
        EXPECT_EQ(PlayerShip.sprite, shipFrames[c.frame]) << c.heading;
    }
}

TEST_F(Ship, TheCameraFollowsTheShipAfterItMoves)
{
    PlayerShip.x = 100;
    PlayerShip.y = 5;
    shipUpdate(&PlayerShip, 0.1);  // 30 pixels up, through the top edge
    EXPECT_NEAR(cameraY, 4096 - 25, 1e-9);
    EXPECT_EQ(cameraX, 100);
    EXPECT_EQ(cameraY, PlayerShip.y);
}

TEST_F(Ship, FiresABulletEverySixFramesAndAMissilePairEveryTwentySix)
{
    keySpace = 1;
    keyM = 1;
    std::vector<int> bulletFrames;
    std::vector<int> missileFrames;
    for (int frame = 1; frame <= 60; frame++) {
        const int before = liveShots();
        shipUpdate(&PlayerShip, 0.02);
        const int fired = liveShots() - before;
        if (bulletCooldown == 0)
            bulletFrames.push_back(frame);
        if (missileCooldown == 0)
            missileFrames.push_back(frame);
        EXPECT_EQ(fired, (bulletCooldown == 0) + 2 * (missileCooldown == 0)) << frame;
    }
    EXPECT_EQ(bulletFrames, (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60}));
    EXPECT_EQ(missileFrames, (std::vector<int>{26, 52}));
}

TEST_F(Ship, AKeyPressedAfterAPauseFiresInTheNextFrame)
{
    shipUpdate(&PlayerShip, 0.3);  // cooldowns gather while no key is held
    shipUpdate(&PlayerShip, 0.3);
    keyRightCtrl = 1;
    keyRightShift = 1;
    shipUpdate(&PlayerShip, 0.3);
    EXPECT_EQ(liveShots(), 3);
}

TEST_F(Ship, AFullShotPoolStillSoundsAndRestartsTheCooldown)
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
    EXPECT_EQ(liveShots(), SHOT_POOL_SIZE);
    Mix_HaltChannel(-1);
}

TEST_F(Ship, WithOneFreeSlotTheRightHandMissileTakesIt)
{
    for (int i = 0; i < SHOT_POOL_SIZE; i++)
        bulletSpawn(2000, 2000, 0, 0);
    ShotPool[17].active = 0;
    PlayerShip.x = 1000;
    PlayerShip.y = 1000;  // pointing up: the right launcher is toward +x
    missileCooldown = 0.5;
    keyM = 1;
    shipUpdate(&PlayerShip, 0.02);
    EXPECT_EQ(ShotPool[17].type, &missileType);
    EXPECT_NEAR(ShotPool[17].x, 1017, 1e-9);
    EXPECT_NEAR(ShotPool[17].y, 1000, 1e-9);
    EXPECT_EQ(ShotPool[17].heading, 90);
}

TEST_F(Ship, ShotsStartFromWhereTheShipWasAndFlyFromTheNextFrame)
{
    PlayerShip.x = 1000;
    PlayerShip.y = 1000;
    PlayerShip.heading = 0;
    bulletCooldown = 0.1;
    missileCooldown = 0.5;
    keySpace = 1;
    keyM = 1;
    worldUpdate(0.02);
    EXPECT_NEAR(PlayerShip.x, 1006, 1e-9);
    const Entity& bullet = ShotPool[0];
    EXPECT_EQ(bullet.type, &bulletType);
    EXPECT_NEAR(bullet.x, 1032, 1e-9);
    EXPECT_NEAR(bullet.y, 1000, 1e-9);
    EXPECT_EQ(bullet.speed, SHOT_SPEED);
    EXPECT_EQ(bullet.sprite, bulletSprite);
    EXPECT_NEAR(ShotPool[1].y, 1017, 1e-9);  // right-hand missile first, below a ship facing right
    EXPECT_NEAR(ShotPool[2].y, 983, 1e-9);
    EXPECT_EQ(ShotPool[1].sprite, missileFrames[0]);
    keySpace = 0;
    keyM = 0;
    worldUpdate(0.02);
    EXPECT_NEAR(bullet.x, 1032 + 12, 1e-9);
    EXPECT_NEAR(ShotPool[1].x, 1000 + 12, 1e-9);
    EXPECT_NEAR(bullet.vars[SHOT_AGE], 0.02, 1e-12);
}

TEST_F(Ship, ShotsExpireOnlyOnceOlderThanASecond)
{
    bulletSpawn(1000, 1000, 0, 600);
    missileSpawn(1000, 1200, 0, 600);
    ShotPool[0].vars[SHOT_AGE] = 0.5;
    ShotPool[1].vars[SHOT_AGE] = 0.5;
    Entity* enemy = enemyAt(1300, 1000);
    worldUpdate(0.5);  // exactly one second old: moves and hits
    EXPECT_EQ(enemy->health, 100 - static_cast<int>(50 * std::exp(-1.0)));
    EXPECT_EQ(ShotPool[0].active, 0);
    EXPECT_EQ(ShotPool[1].active, 1);
    EXPECT_NEAR(ShotPool[1].x, 1300, 1e-9);
    worldUpdate(0.001);
    EXPECT_EQ(ShotPool[1].active, 0);
    EXPECT_NEAR(ShotPool[1].x, 1300, 1e-9);  // no last move
}

TEST_F(Ship, BulletsHitHarderTheYoungerTheyAre)
{
    Entity* weak = enemyAt(1000, 1000, 30);
    Entity* strong = enemyAt(1000, 2000, 31);
    bulletSpawn(1000 - 150, 1000, 0, 600);
    bulletSpawn(1000 - 150, 2000, 0, 600);
    ShotPool[0].vars[SHOT_AGE] = 0.25;
    ShotPool[1].vars[SHOT_AGE] = 0.25;
    const int before = enemyCount;
    worldUpdate(0.25);  // both half a second old on arrival: 30 damage
    EXPECT_EQ(weak->active, 0);
    EXPECT_EQ(weak->health, 0);
    EXPECT_EQ(strong->active, 1);
    EXPECT_EQ(strong->health, 1);
    EXPECT_EQ(enemyCount, before - 1);
}

TEST_F(Ship, AMissileDestroysAnyEnemyButOnlyTheFirstOfAPairScores)
{
    Entity* enemy = enemyAt(1000, 1000);
    missileSpawn(1000 - 6, 1000, 0, 600);
    missileSpawn(1000 - 6, 1000, 0, 600);
    worldUpdate(0.01);
    EXPECT_EQ(enemy->active, 0);
    EXPECT_EQ(enemy->health, 0);
    EXPECT_EQ(ShotPool[0].active, 0);
    EXPECT_EQ(ShotPool[1].active, 1);  // found nothing left to hit and flies on
}

TEST_F(Ship, ShotsHitAcrossTheWorldsSeam)
{
    Entity* enemy = enemyAt(8, 500, 100);
    bulletSpawn(4095, 500, 0, 600);
    worldUpdate(0.01);
    EXPECT_NEAR(ShotPool[0].x, 5, 1e-9);
    EXPECT_EQ(ShotPool[0].active, 0);
    EXPECT_EQ(enemy->health, 100 - 49);
}

TEST_F(Ship, TheFifthRamOfAFullHealthShipCostsALifeAndSendsItHome)
{
    PlayerShip.x = 1500;
    PlayerShip.y = 1500;
    PlayerShip.speed = 0;
    for (int i = 0; i < 4; i++)
        enemyAt(1500, 1500);
    worldUpdate(0.001);
    EXPECT_EQ(PlayerShip.health, 100);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(enemyCount, 0);
    enemyAt(1500, 1500);
    worldUpdate(0.001);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(PlayerShip.health, SHIP_HEALTH);
    EXPECT_EQ(PlayerShip.heading, SHIP_START_HEADING);
    // Back at the origin and already updated there, in the same pass.
    EXPECT_NEAR(PlayerShip.x, 0, 1e-9);
    EXPECT_NEAR(PlayerShip.y, 4096 - 0.3, 1e-9);
}

TEST_F(Ship, TheFourthDeathEndsTheGame)
{
    for (int death = 1; death <= 4; death++) {
        EXPECT_FALSE(shipIsGameOver());
        entityDamage(&PlayerShip, SHIP_HEALTH);
        EXPECT_EQ(lives, 3 - death);
        EXPECT_EQ(PlayerShip.active, 1);
    }
    EXPECT_TRUE(shipIsGameOver());
    shipNewGame();
    EXPECT_FALSE(shipIsGameOver());
    EXPECT_EQ(lives, 3);
}
