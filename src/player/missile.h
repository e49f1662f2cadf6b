// The ship's heavy shots: launched in pairs, drawn in 64 rotation frames, flying straight
// for one second and destroying the first enemy they touch.
#pragma once

#include "platform/pictures.h"
#include "world/entity.h"

constexpr int MISSILE_DAMAGE = ENTITY_HEALTH;  // a whole enemy: one hit is always enough

extern SpriteFrames missileFrames;
extern const EntityType missileType;

// 0 when a missile was made, -1 when every shot slot is taken.
int missileSpawn(double x, double y, double heading, double speed);
void missileUpdate(Entity* entity, double seconds);
void missileDraw(Entity* entity);
void missileKill(Entity* entity);
int missileLoad();
