#include "world/motion.h"

#include "app/startup.h"
#include "display/background.h"
#include "world/pools.h"

#include <cmath>

double worldWrap(double value, double low, double high)
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

int rotationFrame(double heading)
{
    // Truncate toward zero, then keep the remainder in 0..63: a heading left below 0 or
    // above 360 by a long frame still picks a picture that exists.
    double frame = std::fmod(std::trunc(heading * ROTATION_FRAMES / 360.0), ROTATION_FRAMES);
    if (!(frame >= 0))
        frame = std::isnan(frame) ? 0 : frame + ROTATION_FRAMES;
    return static_cast<int>(frame);
}

void entityMove(Entity* entity, double seconds)
{
    const double vx = std::cos(entity->heading / 180 * PI) * entity->speed;
    const double vy = std::sin(entity->heading / 180 * (-PI)) * entity->speed;
    entity->x = worldWrap(entity->x + seconds * vx, 0, worldWidth);
    entity->y = worldWrap(entity->y + seconds * vy, 0, worldHeight);
}

void entityDraw(Entity* entity)
{
    const double sx = (entity->x - cameraX) + screenSurface->w / 2.0 - entity->width / 2.0;
    const double sy = (entity->y - cameraY) + screenSurface->h / 2.0 - entity->height / 2.0;
    // Wrapping the corner into the world shows things beyond the seam at their true distance.
    SDL_Rect destination;
    destination.x = static_cast<Sint16>(worldWrap(sx, 0, worldWidth));
    destination.y = static_cast<Sint16>(worldWrap(sy, 0, worldHeight));
    destination.w = static_cast<Uint16>(entity->sprite->w);
    destination.h = static_cast<Uint16>(entity->sprite->h);
    SDL_BlitSurface(entity->sprite, nullptr, screenSurface, &destination);
}

void entityDamage(Entity* entity, int amount)
{
    entity->health -= amount;
    if (entity->health <= 0) {
        entity->health = 0;
        // Cleared before kill runs, so the kill may bring the record back (the ship does).
        entity->active = 0;
        entity->type->kill(entity);
    }
}

int entityCollides(const Entity* a, const Entity* b)
{
    const double ra = static_cast<double>(a->width) / 2;
    const double rb = static_cast<double>(b->width) / 2;
    const double halfWidth = worldWidth / 2;
    const double halfHeight = worldHeight / 2;
    const double dx = worldWrap(b->x - a->x, -halfWidth, halfWidth);
    const double dy = worldWrap(a->y - b->y, -halfHeight, halfHeight);
    return dx * dx + dy * dy < ra * ra + rb * rb;
}

Entity* enemyFindHit(const Entity* entity)
{
    for (Entity& enemy : EnemyPool) {
        if (enemy.active && entityCollides(entity, &enemy))
            return &enemy;
    }
    return nullptr;
}
