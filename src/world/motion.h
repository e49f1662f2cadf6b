// How every kind moves, is drawn, takes damage and touches others on the wrapping world.
#pragma once

#include "world/entity.h"

constexpr double PI = 3.141592653589793;
constexpr int ROTATION_FRAMES = 64;  // pictures per full turn of a craft

// Brings value into [low, high) by whole lengths: the one wrapping rule of the game.
double worldWrap(double value, double low, double high);

// The picture of a rotation set that shows a craft at this heading: 5.625 degrees a frame,
// always a valid index 0..63 whatever the heading.
int rotationFrame(double heading);

void entityMove(Entity* entity, double seconds);
void entityDraw(Entity* entity);
void entityDamage(Entity* entity, int amount);
int entityCollides(const Entity* a, const Entity* b);

// The live enemy of lowest slot that the entity touches, or none.
Entity* enemyFindHit(const Entity* entity);
