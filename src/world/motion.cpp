#include "world/motion.h"

#include "platform/screen.h"
#include "world/maths.h"
#include "world/pools.h"

#include <cmath>

namespace {

// worldWrap for an offset that is nearly always inside the range already: the same result,
// with that common case settled by two comparisons.
double wrapNear(double value, double low, double high)
{
    return value >= low && value < high ? value : worldWrap(value, low, high);
}

// worldOffset's two axes, apart for the contact search, which often needs only the first.
double offsetX(double fromX, double toX)
{
    const double half = worldWidth / 2;
    return wrapNear(toX - fromX, -half, half);
}

double offsetY(double fromY, double toY)
{
    const double half = worldHeight / 2;
    return wrapNear(fromY - toY, -half, half);
}

}  // namespace

WorldOffset worldOffset(const Entity* a, const Entity* b)
{
    return {offsetX(a->x, b->x), offsetY(a->y, b->y)};
}

double worldAtScreenX(double screenX)
{
    return worldWrap(cameraX + screenX - screenSurface->w / 2.0, 0, worldWidth);
}

double worldAtScreenY(double screenY)
{
    return worldWrap(cameraY + screenY - screenSurface->h / 2.0, 0, worldHeight);
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
    const double vx = mathsCos(entity->heading / 180 * PI) * entity->speed;
    const double vy = mathsSin(entity->heading / 180 * (-PI)) * entity->speed;
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
    // Most of the world is off the screen: a picture wholly outside the screen's clipping
    // rectangle would be clipped away to nothing by the blit, so it is not handed to SDL.
    const SDL_Rect& clip = screenSurface->clip_rect;
    if (destination.x >= clip.x + clip.w || destination.y >= clip.y + clip.h ||
        destination.x + entity->sprite->w <= clip.x || destination.y + entity->sprite->h <= clip.y)
        return;
    SDL_BlitSurface(entity->sprite, nullptr, screenSurface, &destination);
}

void entityDamage(Entity* entity, int amount)
{
    entity->health -= amount;
    if (entity->health <= 0) {
        entity->health = 0;
        // Cleared before kill runs, so the kill may bring the record back (the ship does).
        entity->active = false;
        entity->type->kill(entity);
    }
}

bool entityCollides(const Entity* a, const Entity* b)
{
    const double ra = static_cast<double>(a->width) / 2;
    const double rb = static_cast<double>(b->width) / 2;
    const WorldOffset offset = worldOffset(a, b);
    return offset.dx * offset.dx + offset.dy * offset.dy < ra * ra + rb * rb;
}

Entity* enemyFindHit(const Entity* entity)
{
    // entityCollides(entity, enemy) for every live enemy, with what depends on the shot alone
    // worked out once. An enemy whose horizontal distance alone reaches the contact threshold
    // cannot touch, whatever the vertical one: adding a square never makes the sum smaller,
    // in floating point too. So the vertical distance is only wrapped for the few near ones.
    const double ra = static_cast<double>(entity->width) / 2;
    const double raSquared = ra * ra;
    const double x = entity->x;
    const double y = entity->y;
    for (Entity& enemy : EnemyPool) {
        if (!enemy.active)
            continue;
        const double rb = static_cast<double>(enemy.width) / 2;
        const double threshold = raSquared + rb * rb;
        const double dx = offsetX(x, enemy.x);
        const double dxSquared = dx * dx;
        if (dxSquared >= threshold)
            continue;
        const double dy = offsetY(y, enemy.y);
        if (dxSquared + dy * dy < threshold)
            return &enemy;
    }
    return nullptr;
}
