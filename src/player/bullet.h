// The ship's gun shots: one unrotated picture, one second of flight, damage that fades
// with age, spent on the first enemy they touch.
#pragma once

#include "world/entity.h"

constexpr int BULLET_DAMAGE = 50;  // at age 0, scaled by e to the minus age

extern SDL_Surface* bulletSprite;
extern const EntityType bulletType;

// 0 when a bullet was made, -1 when every shot slot is taken.
int bulletSpawn(double x, double y, double heading, double speed);
void bulletUpdate(Entity* entity, double seconds);
void bulletDraw(Entity* entity);
void bulletKill(Entity* entity);
int bulletLoad();
