#include "player/missile.h"

#include "player/shot.h"
#include "world/assets.h"
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
    return spriteFramesLoad(pictureFile(Picture::MissileFrames), missileFrames);
}
