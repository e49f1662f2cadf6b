// How every kind moves, is drawn, takes damage and touches others on the wrapping world.
#pragma once

#include "platform/frames.h"
#include "world/entity.h"

#include <cmath>

constexpr double PI = 3.141592653589793;

// Brings value into [low, high) by whole lengths: the one wrapping rule of the game.
// Defined here so that it is inlined into every frame's many wraps (the contact search of a
// crowded frame alone makes up to 50,000).
inline double worldWrap(double value, double low, double high)
{
    const double length = high - low;
    // Callers are a length or two away at most; a value from a stalled clock may be far
    // out or not finite, and must not keep the game stepping forever.
    if (!std::isfinite(value))
        return low;
    if (value < low - 64 * length || value >= high + 64 * length)
        value = low + std::fmod(value - low, length);
    while (value < low)
        value += length;
    while (value >= high)
        value -= length;
    return value;
}

// How far b lies from a through the wrapping world, the shorter way on each axis: dx positive
// when b lies right of a, dy when it lies above a on the screen (the world's y grows down);
// each in [-half the world, half the world).
struct WorldOffset {
    double dx;
    double dy;
};
WorldOffset worldOffset(const Entity* a, const Entity* b);

// The world's point shown at a point of the screen, with the camera where it is: where
// entityDraw would draw something with its top left corner there, had it no size.
double worldAtScreenX(double screenX);
double worldAtScreenY(double screenY);

// The picture of a rotation set that shows a craft at this heading: 5.625 degrees a frame,
// always a valid index 0..63 whatever the heading.
int rotationFrame(double heading);

void entityMove(Entity* entity, double seconds);
void entityDraw(Entity* entity);
void entityDamage(Entity* entity, int amount);
bool entityCollides(const Entity* a, const Entity* b);

// The live enemy of lowest slot that the entity touches, or none.
Entity* enemyFindHit(const Entity* entity);
