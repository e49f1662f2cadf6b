// The enemies: the bearing and distance they steer by, the short way across the world's
// seams; how they turn at a ship within reach; and what a ram costs both sides. Every
// expected number is worked out by hand from the rules of play.

#include "enemies/enemy.h"
#include "enemies/steering.h"
#include "fixtures.h"
#include "platform/sound.h"
#include "player/ship.h"
#include "world/assets.h"
#include "world/pools.h"

#include <cmath>

TEST(Bearing, IsCountedCounterClockwiseFromRightAndMeasuredTheShortWayAcrossTheSeams)
{
    // enemy x and y, ship x and y, bearing from the enemy to the ship, squared distance
    const double cases[][6] = {{4090, 500, 10, 500, 0, 256},            // 10 - 4090 + 4096: 16 to the right
                               {500, 10, 500, 4090, 90, 256},           // 10 - 4090 + 4096: 16 above
                               {1000, 1000, 1000, 950, 90, 2500},       // straight above, 50 * 50
                               {1000, 1000, 1000, 1050, 270, 2500},     // straight below
                               {1000, 1000, 1000, 1000, 90, 0},         // on the same point
                               {1000, 1000, 3048, 1000, 180, 4194304},  // half a world right is left: 2048 * 2048
                               {1000, 1000, 1100, 900, 45, 20000},      // atan(100 / 100) = 45; 2 * 100 * 100
                               {1000, 1000, 900, 900, 135, 20000},      // atan(100 / -100) = -45, + 180
                               {1000, 1000, 900, 1100, 225, 20000},     // atan(-100 / -100) = 45, + 180
                               {1000, 1000, 1100, 1100, 315, 20000}};   // atan(-100 / 100) = -45, + 360
    for (const auto& c : cases) {
        const Entity enemy = entityAt(c[0], c[1]), ship = entityAt(c[2], c[3]);
        EXPECT_NEAR(entityBearing(&enemy, &ship), c[4], 1e-9) << c[0] << "," << c[1] << " to " << c[2] << "," << c[3];
        EXPECT_EQ(entityDistanceSquared(&enemy, &ship), c[5]) << c[0] << "," << c[1] << " to " << c[2] << "," << c[3];
    }
}

TEST(Steering, WithinThreeHundredPixelsAnEnemyTurnsAtTheShipTheShortWayAtMostThreeHundredSixtyDegreesASecond)
{
    // ship x and y (the enemy at 1000, 1000), enemy heading, seconds; turn rate and heading after
    const double cases[][6] = {
        {1000, 900, 0, 0.02, 360, 7.2},     // 90 left: 90 / 0.02 = 4500, held at 360; 360 * 0.02
        {1000, 900, 85, 0.02, 250, 90},     // 5 left: 5 / 0.02 = 250, facing it exactly
        {1100, 1100, 10, 0.05, -360, 352},  // bearing 315 is 55 clockwise; 10 - 360 * 0.05 + 360
        {1100, 1000, 350, 0.05, 200, 0},    // bearing 0 is 10 counter-clockwise; 360 is 0
        {900, 1000, 0, 0.02, -360, 352.8},  // dead astern turns clockwise: 0 - 7.2 + 360
        {1299, 1000, 0, 0.02, 0, 0},        // 299 ahead: chases straight on
        {1300, 1000, 0, 0.02, 360, 7.2}};   // 300 away wanders: 360 - (-360 +- 7.2) * 0.02 held at 360
    for (const auto& c : cases) {
        PlayerShip = entityAt(c[0], c[1]);
        Entity enemy = entityAt(1000, 1000);
        enemy.heading = c[2];
        enemy.vars[ENEMY_TURN_RATE] = 360;
        enemy.vars[ENEMY_TURN_DRIFT] = -360;
        enemySteer(&enemy, c[3]);
        EXPECT_NEAR(enemy.vars[ENEMY_TURN_RATE], c[4], 1e-9) << c[0] << "," << c[1] << " heading " << c[2];
        EXPECT_NEAR(enemy.heading, c[5], 1e-9) << c[0] << "," << c[1] << " heading " << c[2];
    }
}

class Ram : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(soundInit(SOUND_FILES, SOUND_COUNT), 0);
    }
};

TEST_F(Ram, CostsTheShipTheEnemysHealthLeftAndBurstsTheEnemyIntoFourToSixPiecesFannedCounterClockwise)
{
    // the enemy's health and the ship's before; the ship's health and the spare lives after
    const int cases[][4] = {{100, 500, 400, 3},   // 500 - 100
                            {30, 500, 470, 3},    // what a bullet hit at half a second leaves: 500 - 30
                            {100, 100, 500, 2}};  // 100 - 100 = 0: a life gone, the ship whole again at home
    for (const auto& [enemyHealth, shipHealth, shipAfter, livesAfter] : cases) {
        shipNewGame();
        poolsClear();
        Mix_HaltChannel(-1);
        ASSERT_EQ(enemySpawn() + enemySpawn(), 0);
        Entity& enemy = EnemyPool[1];
        enemy.x = PlayerShip.x = 1000, enemy.y = PlayerShip.y = 1000;
        enemy.health = enemyHealth, PlayerShip.health = shipHealth;
        enemyUpdate(&enemy, 0.02);
        EXPECT_EQ(std::tuple(PlayerShip.health, lives, enemy.health, enemy.active, enemyCount),
                  std::tuple(shipAfter, livesAfter, 0, 0, 1))
            << enemyHealth << " against " << shipHealth;
        // The first piece flies along the enemy's heading, each next one turned a whole 45 to
        // 134 degrees further; the first impact sound throws 4, the second 5, the third 6.
        int pieces = 0;
        for (; pieces < SHRAPNEL_POOL_SIZE && ShrapnelPool[pieces].active; pieces++) {
            const Entity& piece = ShrapnelPool[pieces];
            const double turn =
                std::fmod(piece.heading - (pieces ? ShrapnelPool[pieces - 1] : enemy).heading + 360, 360);
            EXPECT_TRUE(pieces ? turn >= 45 && turn <= 134 && std::abs(turn - std::round(turn)) < 1e-9 : turn == 0)
                << "piece " << pieces << " turned " << turn;
            EXPECT_TRUE(piece.speed >= 50 && piece.speed <= 99 && piece.speed == std::round(piece.speed))
                << piece.speed;
            EXPECT_EQ(std::pair(piece.x, piece.y), std::pair(enemy.x, enemy.y)) << "piece " << pieces;
        }
        ASSERT_TRUE(pieces >= 4 && pieces <= 6) << pieces;
        EXPECT_EQ(Mix_GetChunk(0), soundTable[SOUND_IMPACT1 + pieces - 4].chunk);
    }
}
