#include "display/status.h"

#include "platform/screen.h"
#include "player/ship.h"
#include "world/motion.h"
#include "world/pools.h"

#include <cmath>

namespace {

void fill(int x, int y, int w, int h, Uint32 colour)
{
    SDL_Rect rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(screenSurface, &rect, colour);
}

}  // namespace

void statusDraw()
{
    const int right = screenSurface->w - ENERGY_BAR_WIDTH;
    const int bottom = screenSurface->h;
    // The bar is the ship's whole health, a pixel for every few points of it.
    constexpr int HEALTH_PER_PIXEL = SHIP_HEALTH / ENERGY_BAR_HEIGHT;
    const int green = PlayerShip.health / HEALTH_PER_PIXEL;
    if (green != 0)
        fill(right, bottom - green, ENERGY_BAR_WIDTH, green, SDL_MapRGB(screenSurface->format, 0, 255, 0));
    if (ENERGY_BAR_HEIGHT - green != 0)
        fill(right, bottom - ENERGY_BAR_HEIGHT, ENERGY_BAR_WIDTH, ENERGY_BAR_HEIGHT - green,
             SDL_MapRGB(screenSurface->format, 255, 0, 0));

    SDL_Rect place{0, static_cast<Sint16>(bottom - smallShipIcon->h), static_cast<Uint16>(smallShipIcon->w),
                   static_cast<Uint16>(smallShipIcon->h)};
    for (int i = 0; i < lives; i++) {
        SDL_Rect at = place;  // the blit may clip the rectangle it is given
        SDL_BlitSurface(smallShipIcon, nullptr, screenSurface, &at);
        place.y = static_cast<Sint16>(place.y - smallShipIcon->h);
    }
}

void radarDraw()
{
    const Uint32 red = SDL_MapRGB(screenSurface->format, 255, 0, 0);
    const int left = screenSurface->w - RADAR_SIZE;
    for (const Entity& enemy : EnemyPool) {
        if (!enemy.active)
            continue;
        // The radar is the screen made small: an enemy right of the ship shows right of the
        // centre, one above it (dy positive) above the centre, where the radar's y is less.
        const WorldOffset offset = worldOffset(&PlayerShip, &enemy);
        const int px = RADAR_SIZE / 2 + static_cast<int>(std::trunc(offset.dx / RADAR_SCALE));
        const int py = RADAR_SIZE / 2 - static_cast<int>(std::trunc(offset.dy / RADAR_SCALE));
        if (px >= 0 && px < RADAR_SIZE && py >= 0 && py < RADAR_SIZE &&
            offset.dx * offset.dx + offset.dy * offset.dy < static_cast<double>(RADAR_RANGE) * RADAR_RANGE)
            fill(left + px, py, 2, 2, red);
    }
    // The ship sits at the centre, over any enemy on top of it.
    fill(screenSurface->w - RADAR_SIZE / 2, RADAR_SIZE / 2, 2, 2, SDL_MapRGB(screenSurface->format, 0, 255, 0));
}
