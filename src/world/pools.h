// The fixed pools every entity lives in, how a slot is taken and how all are freed.
#pragma once

#include "world/entity.h"
#include "world/numbers.h"

#include <array>

constexpr int ENEMY_POOL_SIZE = 500;
constexpr int SHOT_POOL_SIZE = 50;  // bullets and missiles share it
constexpr int SHRAPNEL_POOL_SIZE = 50;

extern std::array<Entity, ENEMY_POOL_SIZE> EnemyPool;
extern std::array<Entity, SHOT_POOL_SIZE> ShotPool;
extern std::array<Entity, SHRAPNEL_POOL_SIZE> ShrapnelPool;
extern Entity PlayerShip;

// Takes the lowest free slot, binds it to the kind and gives it the defaults; none when full.
Entity* poolAllocate(const EntityType* kind, Entity* pool, int capacity);
Entity* enemyAllocate(const EntityType* kind);
Entity* shotAllocate(const EntityType* kind);
Entity* shrapnelAllocate(const EntityType* kind);

void entityInit(Entity* entity);

// Finishes every spawn: where the new entity is and where it goes, and its first picture,
// whose size is the entity's size from then on. The record is live afterwards.
void entityPlace(Entity* entity, double x, double y, double heading, double speed, SDL_Surface* sprite);

// Frees every pool slot at the start of a game; the ship is left alone.
void poolsClear();
