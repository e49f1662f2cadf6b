#include "enemies/steering.h"

#include "world/dice.h"
#include "world/maths.h"
#include "world/motion.h"
#include "world/pools.h"

namespace {

constexpr int WANDER_CHANCE = 20;  // in 100, for each of the two nudges of an update
constexpr double WANDER_STEP = 360;
constexpr double DRIFT_DECAY = 0.99;  // per update, not per second

}  // namespace

double rangeClamp(double value, double low, double high)
{
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

double entityBearing(const Entity* from, const Entity* to)
{
    const WorldOffset offset = worldOffset(from, to);
    if (offset.dx == 0)
        return offset.dy < 0 ? 270 : 90;
    double bearing = mathsAtan(offset.dy / offset.dx) * 180 / PI;
    if (offset.dx < 0)
        bearing += 180;
    return worldWrap(bearing, 0, 360);
}

double entityDistanceSquared(const Entity* a, const Entity* b)
{
    const WorldOffset offset = worldOffset(a, b);
    return offset.dx * offset.dx + offset.dy * offset.dy;
}

void enemySteer(Entity* enemy, double seconds)
{
    double& turnRate = enemy->vars[ENEMY_TURN_RATE];
    double& turnDrift = enemy->vars[ENEMY_TURN_DRIFT];
    const double bearing = entityBearing(enemy, &PlayerShip);
    const double distanceSquared = entityDistanceSquared(enemy, &PlayerShip);
    // The short way round; with the ship dead astern the enemy turns clockwise.
    const double diff = worldWrap(bearing - enemy->heading, -180, 180);

    if (distanceSquared < ENEMY_CHASE_RADIUS * ENEMY_CHASE_RADIUS) {
        turnRate = rangeClamp(diff / seconds, -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT);
    } else {
        if (diceBelow(100) < WANDER_CHANCE)
            turnDrift = rangeClamp(turnDrift + WANDER_STEP * seconds, -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT);
        if (diceBelow(100) < WANDER_CHANCE)
            turnDrift = rangeClamp(turnDrift - WANDER_STEP * seconds, -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT);
        turnRate = rangeClamp(turnRate - turnDrift * seconds, -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT);
        turnDrift *= DRIFT_DECAY;
    }
    enemy->heading = worldWrap(enemy->heading + turnRate * seconds, 0, 360);
}
