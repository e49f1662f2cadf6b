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

void gameStart()
{
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
        const Uint32 now = frameWaitForTick(clock.lastTick);
        const double seconds = frameClockAdvance(&clock, now);
        // The frame in which the player leaves is still updated, drawn and shown.
        quit = inputPoll();
        frameRun(seconds);
        if (shipIsGameOver())
            quit = 1;
    }
}
