#include "enemies/enemy.h"

#include "enemies/shrapnel.h"
#include "enemies/steering.h"
#include "platform/sound.h"
#include "world/assets.h"
#include "world/dice.h"
#include "world/motion.h"
#include "world/pools.h"

SpriteFrames enemyFrames{};
const EntityType enemyType = {enemyKill, enemyUpdate, enemyDraw};

namespace {

constexpr int SHRAPNEL_MIN_PIECES = 4;  // and one more for each impact sound after the first
// Each piece flies out 45 to 134 degrees counter-clockwise of the one before.
constexpr int SHRAPNEL_FAN_LEAST = 45;
constexpr int SHRAPNEL_FAN_SPREAD = 90;

// The ship pays with the health the enemy has left, the enemy dies, and it bursts into
// debris that fans out counter-clockwise from its own heading.
void enemyImpact(Entity* enemy)
{
    double heading = enemy->heading;
    entityDamage(&PlayerShip, enemy->health);
    entityDamage(enemy, enemy->health);
    const int kind = diceBelow(SOUND_IMPACTS);
    soundPlay(SOUND_IMPACT1 + kind);
    for (int piece = 0; piece < kind + SHRAPNEL_MIN_PIECES; piece++) {
        const double speed = SHRAPNEL_SLOWEST + diceBelow(SHRAPNEL_SPEEDS);
        shrapnelSpawn(enemy->x, enemy->y, heading, speed);
        heading = worldWrap(heading + SHRAPNEL_FAN_LEAST + diceBelow(SHRAPNEL_FAN_SPREAD), 0, 360);
    }
}

}  // namespace

int enemySpawn()
{
    Entity* enemy = enemyAllocate(&enemyType);
    if (!enemy)
        return -1;
    // Drawn one after the other: x, then y, then the heading.
    const int x = diceBelow(worldWidth);
    const int y = diceBelow(worldHeight);
    const int heading = diceBelow(360);
    entityPlace(enemy, x, y, heading, ENEMY_SPEED, enemyFrames[0]);
    enemyCount += 1;
    return 0;
}

void enemyUpdate(Entity* enemy, double seconds)
{
    enemySteer(enemy, seconds);
    entityMove(enemy, seconds);
    if (entityCollides(enemy, &PlayerShip))
        enemyImpact(enemy);
}

void enemyDraw(Entity* enemy)
{
    enemy->sprite = enemyFrames[rotationFrame(enemy->heading)];
    entityDraw(enemy);
}

void enemyKill(Entity*)
{
    enemyCount -= 1;
}

int enemyLoad()
{
    return spriteFramesLoad(pictureFile(Picture::EnemyFrames), enemyFrames);
}
