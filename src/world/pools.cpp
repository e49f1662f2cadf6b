#include "world/pools.h"

std::array<Entity, ENEMY_POOL_SIZE> EnemyPool{};
std::array<Entity, SHOT_POOL_SIZE> ShotPool{};
std::array<Entity, SHRAPNEL_POOL_SIZE> ShrapnelPool{};
Entity PlayerShip{};

Entity* poolAllocate(const EntityType* kind, Entity* pool, int capacity)
{
    for (int i = 0; i < capacity; i++) {
        if (!pool[i].active) {
            pool[i].type = kind;
            entityInit(&pool[i]);
            return &pool[i];
        }
    }
    return nullptr;
}

Entity* enemyAllocate(const EntityType* kind)
{
    return poolAllocate(kind, EnemyPool.data(), ENEMY_POOL_SIZE);
}

Entity* shotAllocate(const EntityType* kind)
{
    return poolAllocate(kind, ShotPool.data(), SHOT_POOL_SIZE);
}

Entity* shrapnelAllocate(const EntityType* kind)
{
    return poolAllocate(kind, ShrapnelPool.data(), SHRAPNEL_POOL_SIZE);
}

// Position and size are left as the slot's last occupant had them: every spawn sets its own.
void entityInit(Entity* entity)
{
    entity->heading = 0.0;
    entity->speed = 100.0;
    entity->health = ENTITY_HEALTH;
    entity->sprite = nullptr;
    entity->active = true;
    entity->vars.fill(0.0);
}

void entityPlace(Entity* entity, double x, double y, double heading, double speed, SDL_Surface* sprite)
{
    entity->x = x;
    entity->y = y;
    entity->heading = heading;
    entity->speed = speed;
    entity->width = sprite->w;
    entity->height = sprite->h;
    entity->sprite = sprite;
    entity->active = true;
}

void poolsClear()
{
    for (Entity& enemy : EnemyPool)
        enemy.active = false;
    for (Entity& shot : ShotPool)
        shot.active = false;
    for (Entity& piece : ShrapnelPool)
        piece.active = false;
    enemyCount = 0;
}
