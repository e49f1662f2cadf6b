#include "game/frameloop.h"

#include "display/background.h"
#include "display/status.h"
#include "enemies/enemy.h"
#include "game/demo.h"
#include "platform/host.h"
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
        hostWait(1);
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
        hostFrameShow(screenSurface);
        hostWait(PAUSE_POLL_MS);
        quit = inputPoll();
        inputJoystickLookAgain();
    }
    return quit;
}

// A demo played on screen keeps the pace it was recorded at: the frame waits until as much
// real time has passed since the one before.
Uint32 demoWaitReal(Uint32 previous, Uint32 milliseconds)
{
    while (SDL_GetTicks() - previous < milliseconds)
        hostWait(1);
    return SDL_GetTicks();
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
    hostFrameShow(screenSurface);
}

void gamePlay()
{
    FrameClock clock;
    frameClockStart(&clock, SDL_GetTicks());
    Uint32 realTime = clock.lastTick;
    int quit = 0;
    while (!quit) {
        if (gamePaused) {
            quit = pauseWait();
            frameClockStart(&clock, SDL_GetTicks());
            realTime = clock.lastTick;
            continue;
        }
        // A demo's frame lengths stand in for the clock's, and its key flags for the keyboard's.
        const bool replay = demoMode == DemoMode::Play || demoMode == DemoMode::TimePlay;
        Uint32 milliseconds = 0;
        Uint16 flags = 0;
        if (replay && demoNext(&milliseconds, &flags) <= 0)
            break;
        if (demoMode == DemoMode::Play)
            realTime = demoWaitReal(realTime, milliseconds);
        const Uint32 now = replay ? clock.lastTick + milliseconds : frameWaitForTick(clock.lastTick);
        milliseconds = now - clock.lastTick;
        const double seconds = frameClockAdvance(&clock, now);
        // The frame in which the player leaves is still updated, drawn and shown.
        quit = inputPoll();
        if (replay)
            demoFlagsApply(flags);
        else if (demoMode == DemoMode::Record)
            demoRecordFrame(milliseconds);
        frameRun(seconds);
        if (shipIsGameOver())
            quit = 1;
    }
}
