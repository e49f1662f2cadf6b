#include "game/frameloop.h"

#include "display/background.h"
#include "display/status.h"
#include "enemies/enemy.h"
#include "game/demo.h"
#include "platform/framestats.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/present.h"
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
    clock->shownAt = SDL_GetTicks();
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
constexpr Sint16 DEMO_PLATE_Y = 8;  // at the top, between the numbers and the radar

// A demo played on screen keeps the pace it was recorded at: the frame waits until as much
// real time has passed since the one before. A key or a closed window cuts the wait short,
// so that a frame recorded as a stall of hours cannot hold the player for hours.
void demoWaitReal(FrameClock* clock, Uint32 milliseconds)
{
    while (SDL_GetTicks() - clock->shownAt < milliseconds && !hostPressQueued())
        hostWait(1);
    clock->shownAt = SDL_GetTicks();
}

// A demo shown on the title screen ends at any press; none of them does anything else.
int attractLook()
{
    const Press press = inputAnyPress();
    return press == Press::WindowClosed ? FRAME_WINDOW_CLOSED : press == Press::Any ? 1 : 0;
}

// While the game is paused the world stands still: the frozen frame shows the PAUSED
// picture, each step is one look at the keyboard after a wait, and the time paused belongs
// to no frame: the clock starts afresh when play resumes (at its own time when the frames
// have lengths of their own). 1 when the player asked to leave the game meanwhile.
int pauseLook(FrameClock* clock, bool ownTime)
{
    SDL_Rect place{static_cast<Sint16>((screenSurface->w - pausedImage->w) / 2),
                   static_cast<Sint16>((screenSurface->h - pausedImage->h) / 2), 0, 0};
    SDL_BlitSurface(pausedImage, nullptr, screenSurface, &place);
    hostFrameShow(screenSurface);
    hostWait(PAUSE_POLL_MS);
    const int quit = demoMode == DemoMode::Attract ? attractLook() : inputPoll();
    inputJoystickLookAgain();
    if (quit && demoMode == DemoMode::Attract)
        gamePaused = 0;
    if (!gamePaused) {
        frameClockStart(clock, ownTime ? clock->lastTick : SDL_GetTicks());
        frameStatsRestart();
    }
    return quit;
}

}  // namespace

void gameStart()
{
    gamePaused = 0;
    frameStatsRestart();
    inputReleaseLiftedKeys();
    shipNewGame();
    poolsClear();
    for (int i = 0; i < ENEMIES_PER_GAME; i++)
        enemySpawn();
}

int frameStep(FrameClock* clock, Uint32 milliseconds, bool draw)
{
    // A demo's frame lengths stand in for the clock's, and its key flags for the keyboard's.
    const bool attract = demoMode == DemoMode::Attract;
    const bool replay = demoMode == DemoMode::Play || demoMode == DemoMode::TimePlay || attract;
    if (gamePaused)
        return pauseLook(clock, milliseconds || replay);
    Uint16 flags = 0;
    if (replay && demoNext(&milliseconds, &flags) <= 0)
        return 1;
    if (demoMode == DemoMode::Play || attract)
        demoWaitReal(clock, milliseconds);
    else if (!replay && !milliseconds)
        presentPace();
    const double started = hostSeconds();
    const Uint32 now = milliseconds ? clock->lastTick + milliseconds : frameWaitForTick(clock->lastTick);
    const Uint32 measured = now - clock->lastTick;
    const double seconds = frameClockAdvance(clock, now);

    // The frame in which the player leaves is still updated, drawn and shown.
    const int quit = attract ? attractLook() : inputPoll();
    if (replay)
        demoFlagsApply(flags);
    else if (demoMode == DemoMode::Record)
        demoRecordFrame(measured);

    worldUpdate(seconds);
    if (draw) {
        backgroundDraw(static_cast<int>(cameraX), static_cast<int>(cameraY));
        worldDraw();
        radarDraw();
        statusDraw();
        if (attract) {
            SDL_Rect place{static_cast<Sint16>((screenSurface->w - demoPlate->w) / 2), DEMO_PLATE_Y, 0, 0};
            SDL_BlitSurface(demoPlate, nullptr, screenSurface, &place);
        }
        hostFrameShow(screenSurface);
        const double shown = hostSeconds();
        frameStatsShown(shown);
        histogramAdd(&frameCosts, 1000 * (shown - started));
    }
    if (replay && !attract)
        demoFramePlayed();
    return quit ? quit : shipIsGameOver();
}

void gamePlay()
{
    FrameClock clock;
    frameClockStart(&clock, SDL_GetTicks());
    while (!frameStep(&clock)) {
    }
}
