#include "player/bullet.h"

#include "platform/pictures.h"
#include "player/shot.h"
#include "world/assets.h"
#include "world/maths.h"
#include "world/motion.h"
#include "world/pools.h"

SDL_Surface* bulletSprite = nullptr;
const EntityType bulletType = {bulletKill, bulletUpdate, bulletDraw};

int bulletSpawn(double x, double y, double heading, double speed)
{
    Entity* bullet = shotAllocate(&bulletType);
    if (!bullet)
        return -1;
    entityPlace(bullet, x, y, heading, speed, bulletSprite);
    return 0;
}

void bulletUpdate(Entity* entity, double seconds)
{
    // Close shots hit harder than far ones.
    if (Entity* enemy = shotAdvance(entity, seconds))
        entityDamage(enemy, static_cast<int>(BULLET_DAMAGE * mathsExp(-entity->vars[SHOT_AGE])));
}

void bulletDraw(Entity* entity)
{
    entityDraw(entity);
}

void bulletKill(Entity*) { }

int bulletLoad()
{
    bulletSprite = pictureLoad(pictureFile(Picture::Bullet));
    return bulletSprite ? 0 : -1;
}
