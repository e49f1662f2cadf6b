// The enemies: scattered over the world at the start of a game, wandering, chasing and
// ramming the ship, worn down by its shots.
#pragma once

#include "platform/pictures.h"
#include "world/entity.h"

constexpr double ENEMY_SPEED = 100;  // pixels per second, never changed

extern SpriteFrames enemyFrames;
extern const EntityType enemyType;

// Places one enemy at a random point with a random heading; -1 when the pool is full.
int enemySpawn();
void enemyUpdate(Entity* enemy, double seconds);
void enemyDraw(Entity* enemy);
void enemyKill(Entity* enemy);
int enemyLoad();
