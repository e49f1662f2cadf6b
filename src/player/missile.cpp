#include "player/missile.h"

#include "player/shot.h"
#include "world/motion.h"
#include "world/pools.h"

SpriteFrames missileFrames{};
const EntityType missileType = {missileKill, missileUpdate, missileDraw};

int missileSpawn(double x, double y, double heading, double speed)
{
    Entity* missile = shotAllocate(&missileType);
    if (!missile)
        return -1;
    entityPlace(missile, x, y, heading, speed, missileFrames[0]);
    return 0;
}

void missileUpdate(Entity* entity, double seconds)
{
    // Every enemy starts with the health a missile takes: one hit is always enough.
    if (Entity* enemy = shotAdvance(entity, seconds))
        entityDamage(enemy, MISSILE_DAMAGE);
}

void missileDraw(Entity* entity)
{
    entity->sprite = missileFrames[rotationFrame(entity->heading)];
    entityDraw(entity);
}

void missileKill(Entity*) { }

int missileLoad()
{
    return spriteFramesLoad("progdir:images/missile%04d.png", missileFrames, PictureKey::Black,
                            {"failed to load missile frame %d: %s\n",
                             "failed to format missile frame %d for display: %s\n",
                             "failed to set color key for missile frame %d: %s\n"});
}
