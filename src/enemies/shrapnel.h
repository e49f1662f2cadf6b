// Debris of an enemy that rammed the ship: small tumbling fragments that fly out for half
// a second and vanish. Decoration only: nothing touches them.
#pragma once

#include "platform/pictures.h"
#include "world/entity.h"

constexpr double SHRAPNEL_LIFETIME = 0.5;  // seconds
constexpr int SHRAPNEL_SLOWEST = 50;       // pixels per second; each piece draws its own
constexpr int SHRAPNEL_SPEEDS = 50;        // speed from this many above it
constexpr int SHRAPNEL_AGE = 0;            // vars element: seconds since thrown
constexpr int SHRAPNEL_ANIM_FRAME = 1;     // vars element: animation frame, 0 up to 64

extern SpriteFrames shrapnelFrames;
extern const EntityType shrapnelType;

// 0 when a piece was thrown, -1 when the pool is full.
int shrapnelSpawn(double x, double y, double heading, double speed);
void shrapnelUpdate(Entity* piece, double seconds);
void shrapnelDraw(Entity* piece);
void shrapnelKill(Entity* piece);
int shrapnelLoad();
