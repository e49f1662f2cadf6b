#include "game/frameloop.h"

#include "display/background.h"
#include "display/status.h"
#include "enemies/enemy.h"
#include "platform/input.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/numbers.h"
#include "world/passes.h"
#include "world/pools.h"

void frameClockStart(FrameClock* clock, Uint32 now)
{
    clock->lastTick = now;
    clock->windowStart = now;
    clock->framesInWindow = 0;
}

double frameClockAdvance(FrameClock* clock, Uint32 now)
{
    const double seconds = static_cast<Uint32>(now - clock->lastTick) / 1000.0;
    clock->lastTick = now;
    clock->framesInWindow += 1;
    if (clock->framesInWindow > FPS_WINDOW - 1) {
        framesPerSecond = clock->framesInWindow / (static_cast<Uint32>(now - clock->windowStart) / 1000.0);
        clock->windowStart = now;
        clock->framesInWindow = 0;
    }
    return seconds;
}

Uint32 frameWaitForTick(Uint32 lastTick)
{
    // Every frame lasts at least a millisecond, so no frame and no window has zero length.
    Uint32 now = SDL_GetTicks();
    while (now == lastTick) {
        SDL_Delay(1);
        now = SDL_GetTicks();
    }
    return now;
}

namespace {

constexpr Uint32 PAUSE_POLL_MS = 100;

// While the game is paused the world stands still: the frozen frame shows the PAUSED
// picture, the loop sleeps between looks at the keyboard, and the wait belongs to no
// frame. 1 when the player asked to leave the game meanwhile.
int pauseWait()
{
    SDL_Rect place{static_cast<Sint16>((screenSurface->w - pausedImage->w) / 2),
                   static_cast<Sint16>((screenSurface->h - pausedImage->h) / 2), 0, 0};
    SDL_BlitSurface(pausedImage, nullptr, screenSurface, &place);
    int quit = 0;
    while (gamePaused && !quit) {
        SDL_Flip(screenSurface);
        SDL_Delay(PAUSE_POLL_MS);
        quit = inputPoll();
    }
    return quit;
}

}  // namespace

void gameStart()
{
    gamePaused = 0;
    inputReleaseLiftedKeys();
    shipNewGame();
    poolsClear();
    for (int i = 0; i < ENEMIES_PER_GAME; i++)
        enemySpawn();
}

void frameRun(double seconds)
{
    worldUpdate(seconds);
    backgroundDraw(static_cast<int>(cameraX), static_cast<int>(cameraY));
    worldDraw();
    radarDraw();
    statusDraw();
    SDL_Flip(screenSurface);
}

void gamePlay()
{
    FrameClock clock;
    frameClockStart(&clock, SDL_GetTicks());
    int quit = 0;
    while (!quit) {
        if (gamePaused) {
            quit = pauseWait();
            frameClockStart(&clock, SDL_GetTicks());
            continue;
        }
        const Uint32 now = frameWaitForTick(clock.lastTick);
        const double seconds = frameClockAdvance(&clock, now);
        // The frame in which the player leaves is still updated, drawn and shown.
        quit = inputPoll();
        frameRun(seconds);
        if (shipIsGameOver())
            quit = 1;
    }
}
