// The enemies' wandering, whose every turn is a real number a player would not see at once.
// The golden games of play_test guard how they chase, ram and burst.

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "enemies/steering.h"
#include "fixtures.h"
#include "player/ship.h"
#include "world/motion.h"
#include "world/passes.h"
#include "world/pools.h"

#include <cstdlib>

TEST(Steering, BeyondThreeHundredPixelsAnEnemyWandersOnACurveOfTwoRandomNudges)
{
    PlayerShip = entityAt(1000, 1000);
    // A seed whose two numbers nudge the drift one way only.
    unsigned seed = 0;
    int first, second, third;
    do {
        srand(++seed);
        first = rand(), second = rand(), third = rand();
    } while ((first % 100 < 20) == (second % 100 < 20));
    Entity enemy = entityAt(1300, 1000);  // exactly 300: wanders, though a chase would turn hard
    enemy.vars[ENEMY_TURN_RATE] = 10;
    enemy.vars[ENEMY_TURN_DRIFT] = 100;
    srand(seed);
    enemySteer(&enemy, 0.5);
    EXPECT_EQ(rand(), third);  // exactly two numbers were drawn
    // Each number below 20 in 100 nudges the drift by 360 a second; the turn rate then bends
    // by the drift over the frame's seconds, and the drift decays by a hundredth.
    const double drift = 100 + ((first % 100 < 20) - (second % 100 < 20)) * 360 * 0.5;
    const double turnRate = rangeClamp(10 - drift * 0.5, -360, 360);
    EXPECT_NEAR(enemy.vars[ENEMY_TURN_DRIFT], drift * 0.99, 1e-9);
    EXPECT_NEAR(enemy.vars[ENEMY_TURN_RATE], turnRate, 1e-9);
    EXPECT_NEAR(enemy.heading, worldWrap(turnRate * 0.5, 0, 360), 1e-9);

    enemy = entityAt(1299, 1000);  // one pixel nearer: a chase, no random numbers
    srand(seed);
    enemySteer(&enemy, 0.02);
    EXPECT_EQ(rand(), first);
}
