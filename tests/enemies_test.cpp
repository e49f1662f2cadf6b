// The enemies: how they find the ship across the world's seams, how they turn, what a ram
// does to both sides, and the debris it throws.

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "enemies/steering.h"
#include "fixtures.h"
#include "player/ship.h"
#include "world/motion.h"
#include "world/passes.h"
#include "world/pools.h"

#include <cstdlib>
#include <random>

namespace {

Entity at(double x, double y)
{
    Entity entity{};
    entity.active = 1;
    entity.x = x;
    entity.y = y;
    entity.width = 32;
    entity.height = 32;
    entity.speed = 100;
    return entity;
}

class Enemies : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        shipNewGame();
        poolsClear();
    }
    Entity* enemyAt(double x, double y)
    {
        int slot = 0;
        while (EnemyPool[slot].active)
            slot++;
        EXPECT_EQ(enemySpawn(), 0);
        EnemyPool[slot].x = x;
        EnemyPool[slot].y = y;
        return &EnemyPool[slot];
    }
    int liveShrapnel()
    {
        int count = 0;
        for (const Entity& piece : ShrapnelPool)
            count += piece.active != 0;
        return count;
    }
};

}  // namespace

TEST(Bearing, PointsTheShortWayAcrossTheSeams)
{
    const Entity enemy = at(100, 100);
    Entity ship = at(200, 100);
    EXPECT_EQ(entityBearing(&enemy, &ship), 0);
    EXPECT_EQ(entityDistanceSquared(&enemy, &ship), 10000);
    ship = at(100, 50);
    EXPECT_EQ(entityBearing(&enemy, &ship), 90);
    ship = at(100, 150);
    EXPECT_EQ(entityBearing(&enemy, &ship), 270);
    ship = at(100, 100);
    EXPECT_EQ(entityBearing(&enemy, &ship), 90);
    EXPECT_EQ(entityDistanceSquared(&enemy, &ship), 0);
    ship = at(0, 100);
    EXPECT_NEAR(entityBearing(&enemy, &ship), 180, 1e-12);
    ship = at(200, 200);  // down and right
    EXPECT_NEAR(entityBearing(&enemy, &ship), 315, 1e-12);

    const Entity nearEdge = at(4090, 100);
    ship = at(10, 100);
    EXPECT_EQ(entityBearing(&nearEdge, &ship), 0);
    EXPECT_EQ(entityDistanceSquared(&nearEdge, &ship), 256);
    ship = at(100 + 2048, 100);  // exactly half a world: counts as the other way
    EXPECT_NEAR(entityBearing(&enemy, &ship), 180, 1e-12);
    const Entity nearTop = at(500, 5);
    ship = at(500, 4091);  // ten pixels above through the top edge
    EXPECT_EQ(entityBearing(&nearTop, &ship), 90);
    EXPECT_EQ(entityDistanceSquared(&nearTop, &ship), 100);
}

TEST(Clamp, KeepsAValueWithinTheRange)
{
    EXPECT_EQ(rangeClamp(-400, -360, 360), -360);
    EXPECT_EQ(rangeClamp(400, -360, 360), 360);
    EXPECT_EQ(rangeClamp(12.5, -360, 360), 12.5);
}

class Steering : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlayerShip = at(1000, 1000);
        enemy = at(1000, 1100);  // 100 below the ship: bearing 90
    }
    Entity enemy{};
};

TEST_F(Steering, AChasingEnemyTurnsAtMostThreeHundredSixtyDegreesASecond)
{
    enemy.heading = 0;  // the ship lies 90 degrees to the left
    enemySteer(&enemy, 0.02);
    EXPECT_EQ(enemy.vars[ENEMY_TURN_RATE], 360);
    EXPECT_NEAR(enemy.heading, 7.2, 1e-9);
    enemy.heading = 85;  // 5 degrees to the left: faces the ship after one update
    enemySteer(&enemy, 0.02);
    EXPECT_NEAR(enemy.vars[ENEMY_TURN_RATE], 250, 1e-9);
    EXPECT_NEAR(enemy.heading, 90, 1e-9);
}

TEST_F(Steering, AChasingEnemyTurnsTheShortWayAndClockwiseWhenTheShipIsAstern)
{
    enemy.heading = 100;  // the ship is 10 degrees to the right
    enemySteer(&enemy, 0.05);
    EXPECT_NEAR(enemy.vars[ENEMY_TURN_RATE], -200, 1e-9);
    EXPECT_NEAR(enemy.heading, 90, 1e-9);
    enemy.heading = 270;  // exactly astern
    enemySteer(&enemy, 0.02);
    EXPECT_NEAR(enemy.heading, 270 - 7.2, 1e-9);
    enemy.vars[ENEMY_TURN_DRIFT] = 55;  // the drift is kept while chasing
    enemySteer(&enemy, 0.02);
    EXPECT_EQ(enemy.vars[ENEMY_TURN_DRIFT], 55);
}

TEST_F(Steering, AtExactlyThreeHundredPixelsTheEnemyWandersAndDrawsTwoRandomNumbers)
{
    enemy = at(1300, 1000);  // bearing 180, heading 0: a chase would turn hard
    srand(11);
    const int first = rand();
    const int second = rand();
    const int third = rand();
    srand(11);
    enemySteer(&enemy, 0.02);
    EXPECT_LT(std::abs(enemy.heading - (enemy.heading > 180 ? 360 : 0)), 0.1);
    EXPECT_EQ(rand(), third);  // exactly two were taken
    const double drift = ((first % 100 < 20) - (second % 100 < 20)) * 360 * 0.02 * 0.99;
    EXPECT_NEAR(enemy.vars[ENEMY_TURN_DRIFT], drift, 1e-12);

    enemy = at(1299, 1000);  // one pixel nearer: a chase, no random numbers
    srand(11);
    enemySteer(&enemy, 0.02);
    EXPECT_EQ(rand(), first);
    EXPECT_NEAR(enemy.heading, 360 - 7.2, 1e-9);
}

TEST_F(Steering, WanderingKeepsTheTurnWithinItsLimitsHoweverLongItGoesOn)
{
    PlayerShip = at(3000, 3000);
    enemy = at(100, 100);
    std::mt19937 lengths(5);
    std::uniform_real_distribution<double> frame(0.001, 3.0);
    srand(3);
    for (int update = 0; update < 200000; update++) {
        enemySteer(&enemy, update % 10 == 0 ? frame(lengths) : 0.016);
        ASSERT_LE(std::abs(enemy.vars[ENEMY_TURN_RATE]), 360) << update;
        ASSERT_LE(std::abs(enemy.vars[ENEMY_TURN_DRIFT]), 360) << update;
        ASSERT_GE(enemy.heading, 0);
        ASSERT_LT(enemy.heading, 360);
    }
}

TEST_F(Enemies, SpawnDrawsXThenYThenHeadingAndCountsTheEnemy)
{
    srand(21);
    const int x = rand(), y = rand(), heading = rand();
    srand(21);
    ASSERT_EQ(enemySpawn(), 0);
    const Entity& enemy = EnemyPool[0];
    EXPECT_EQ(enemy.x, x % 4096);
    EXPECT_EQ(enemy.y, y % 4096);
    EXPECT_EQ(enemy.heading, heading % 360);
    EXPECT_EQ(enemy.speed, ENEMY_SPEED);
    EXPECT_EQ(enemy.health, 100);
    EXPECT_EQ(enemy.width, enemyFrames[0]->w);
    EXPECT_EQ(enemy.sprite, enemyFrames[0]);
    EXPECT_EQ(enemyCount, 1);
}

TEST_F(Enemies, AFullPoolPlacesNoMoreAndCountsNoMore)
{
    for (int i = 0; i < ENEMY_POOL_SIZE; i++)
        ASSERT_EQ(enemySpawn(), 0);
    EXPECT_EQ(enemySpawn(), -1);
    EXPECT_EQ(enemyCount, ENEMY_POOL_SIZE);
}

TEST_F(Enemies, DrawTheFrameForTheirHeading)
{
    Entity* enemy = enemyAt(500, 500);
    const struct {
        double heading;
        int frame;
    } cases[] = {{0, 0}, {5.625, 1}, {180, 32}, {359.9, 63}};
    for (const auto& c : cases) {
        enemy->heading = c.heading;
        enemyDraw(enemy);
        EXPECT_EQ(enemy->sprite, enemyFrames[c.frame]) << c.heading;
    }
}

TEST_F(Enemies, AWoundedEnemyTakesOnlyItsRemainingHealthFromTheShip)
{
    PlayerShip.x = 2000;
    PlayerShip.y = 2000;
    Entity* enemy = enemyAt(2000, 2000);
    enemy->health = 30;
    const int before = enemyCount;
    enemyUpdate(enemy, 0.001);
    EXPECT_EQ(PlayerShip.health, SHIP_HEALTH - 30);
    EXPECT_EQ(enemy->active, 0);
    EXPECT_EQ(enemy->health, 0);
    EXPECT_EQ(enemyCount, before - 1);
    const int pieces = liveShrapnel();
    EXPECT_GE(pieces, 4);
    EXPECT_LE(pieces, 6);
}

TEST_F(Enemies, ALethalRamResetsTheShipFirstAndTheDebrisStartsAtTheEnemy)
{
    PlayerShip.x = 2000;
    PlayerShip.y = 2000;
    PlayerShip.health = 100;
    Entity* enemy = enemyAt(2000, 2000);
    enemy->speed = 0;
    enemy->heading = 30;
    srand(99);
    enemyUpdate(enemy, 0.001);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(PlayerShip.x, 0);
    EXPECT_EQ(PlayerShip.health, SHIP_HEALTH);
    EXPECT_EQ(enemy->active, 0);  // it still dies, though the ship is gone from under it
    ASSERT_GE(liveShrapnel(), 4);
    const double firstHeading = ShrapnelPool[0].heading;
    EXPECT_NEAR(firstHeading, enemy->heading, 1e-9);  // the first piece flies on
    for (int i = 0; i < liveShrapnel(); i++) {
        EXPECT_EQ(ShrapnelPool[i].x, enemy->x);
        EXPECT_EQ(ShrapnelPool[i].y, enemy->y);
        EXPECT_GE(ShrapnelPool[i].speed, 50);
        EXPECT_LT(ShrapnelPool[i].speed, 100);
        if (i > 0) {
            const double turn = worldWrap(ShrapnelPool[i].heading - ShrapnelPool[i - 1].heading, 0, 360);
            EXPECT_GE(turn, 45);  // each piece turned counter-clockwise from the one before
            EXPECT_LT(turn, 135);
        }
    }
}

TEST_F(Enemies, TheImpactSoundDecidesHowManyPiecesFly)
{
    // The third random number of the impact picks the sound and the piece count.
    for (unsigned seed = 1; seed < 40; seed++) {
        poolsClear();
        shipNewGame();
        PlayerShip.x = 2000;
        PlayerShip.y = 2000;
        Entity* enemy = enemyAt(2000, 2000);
        enemy->speed = 0;
        enemy->vars[0] = 0;
        srand(seed);
        enemySteer(enemy, 0.001);  // the chase draws none
        const int kind = rand() % 3;
        srand(seed);
        enemyUpdate(enemy, 0.001);
        EXPECT_EQ(liveShrapnel(), kind + 4) << seed;
    }
}

TEST_F(Enemies, ARamWithFortySevenPiecesFlyingAddsOnlyThree)
{
    for (int i = 0; i < 47; i++)
        ASSERT_EQ(shrapnelSpawn(100, 100, 0, 50), 0);
    PlayerShip.x = 2000;
    PlayerShip.y = 2000;
    // Find a ram that throws six pieces.
    unsigned seed = 1;
    for (;; seed++) {
        srand(seed);
        if (rand() % 3 == 2)
            break;
    }
    Entity* enemy = enemyAt(2000, 2000);
    enemy->speed = 0;
    srand(seed);
    enemyUpdate(enemy, 0.001);
    EXPECT_EQ(liveShrapnel(), 50);
    EXPECT_EQ(enemy->active, 0);
}

TEST_F(Enemies, AnEnemyKilledInAFrameIsNotDrawnInIt)
{
    PlayerShip.x = 2000;
    PlayerShip.y = 2000;
    Entity* enemy = enemyAt(2000, 2000);
    worldUpdate(0.001);
    EXPECT_EQ(enemy->active, 0);
    enemy->sprite = nullptr;  // drawing it now would need a picture
    worldDraw();
    EXPECT_EQ(enemy->sprite, nullptr);
}

TEST_F(Enemies, ShrapnelFliesHalfASecondAndLoopsItsAnimation)
{
    ASSERT_EQ(shrapnelSpawn(100, 5, 90, 50), 0);
    Entity& piece = ShrapnelPool[0];
    EXPECT_GE(piece.vars[SHRAPNEL_ANIM_FRAME], 0);
    EXPECT_LT(piece.vars[SHRAPNEL_ANIM_FRAME], 64);
    piece.vars[SHRAPNEL_ANIM_FRAME] = 63;
    shrapnelUpdate(&piece, 0.25);  // up the screen and through the top edge
    EXPECT_EQ(piece.vars[SHRAPNEL_ANIM_FRAME], 0);
    EXPECT_NEAR(piece.y, 4096 - 7.5, 1e-9);
    shrapnelDraw(&piece);
    EXPECT_EQ(piece.sprite, shrapnelFrames[0]);
    shrapnelUpdate(&piece, 0.25);  // exactly half a second old: still moves
    EXPECT_EQ(piece.active, 1);
    EXPECT_NEAR(piece.y, 4096 - 20, 1e-9);
    shrapnelUpdate(&piece, 0.001);
    EXPECT_EQ(piece.active, 0);
    EXPECT_NEAR(piece.y, 4096 - 20, 1e-9);
    EXPECT_EQ(piece.vars[SHRAPNEL_ANIM_FRAME], 2);
}

TEST_F(Enemies, TheFiftyFirstPieceIsNotThrown)
{
    for (int i = 0; i < SHRAPNEL_POOL_SIZE; i++)
        ASSERT_EQ(shrapnelSpawn(i, 100, 0, 50), 0);
    EXPECT_EQ(shrapnelSpawn(999, 999, 0, 50), -1);
    for (int i = 0; i < SHRAPNEL_POOL_SIZE; i++)
        EXPECT_EQ(ShrapnelPool[i].x, i);
}

TEST_F(Enemies, DebrisThrownInAFrameMovesInThatFrame)
{
    PlayerShip.x = 2000;
    PlayerShip.y = 2000;
    Entity* enemy = enemyAt(2000, 2000);
    enemy->speed = 0;
    worldUpdate(0.01);
    ASSERT_GE(liveShrapnel(), 4);
    EXPECT_NEAR(ShrapnelPool[0].vars[SHRAPNEL_AGE], 0.01, 1e-12);
    EXPECT_GT(std::abs(ShrapnelPool[0].x - 2000) + std::abs(ShrapnelPool[0].y - 2000), 0.4);
}
