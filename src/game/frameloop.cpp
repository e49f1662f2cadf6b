#include "game/frameloop.h"

#include "display/background.h"
#include "display/status.h"
#include "enemies/enemy.h"
#include "platform/framestats.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/screenshot.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/controls.h"
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

bool gamePaused = false;

namespace {

constexpr Uint32 PAUSE_POLL_MS = 100;
constexpr Sint16 PLATE_Y = 8;  // at the top, between the numbers and the radar

}  // namespace

bool lookTaken(const PlayLook& look)
{
    if (look.controls.presses(Action::Screenshot))
        screenshotSave();
    gamePaused = look.paused;
    return look.leave;
}

void pausedShow()
{
    SDL_Rect place{static_cast<Sint16>((screenSurface->w - pausedImage->w) / 2),
                   static_cast<Sint16>((screenSurface->h - pausedImage->h) / 2), 0, 0};
    SDL_BlitSurface(pausedImage, nullptr, screenSurface, &place);
    hostFrameShow(screenSurface);
}

bool pauseLook(FrameClock* clock, bool ownTime)
{
    pausedShow();
    hostWait(PAUSE_POLL_MS);
    const bool leave = lookTaken(playerLook(true));
    inputJoystickLookAgain();
    if (!gamePaused) {
        frameClockStart(clock, ownTime ? clock->lastTick : SDL_GetTicks());
        frameStatsRestart();
    }
    return leave;
}

void gameStart()
{
    gamePaused = false;
    frameStatsRestart();
    playerLetGo();
    shipNewGame();
    poolsClear();
    for (int i = 0; i < ENEMIES_PER_GAME; i++)
        enemySpawn();
}

void frameStep(FrameClock* clock, Uint32 milliseconds, const Controls& given, bool draw, SDL_Surface* plate)
{
    const double started = hostSeconds();
    const double seconds = frameClockAdvance(clock, clock->lastTick + milliseconds);
    controls = given;
    worldUpdate(seconds);
    if (!draw)
        return;
    backgroundDraw(static_cast<int>(cameraX), static_cast<int>(cameraY));
    worldDraw();
    radarDraw();
    statusDraw();
    if (plate) {
        SDL_Rect place{static_cast<Sint16>((screenSurface->w - plate->w) / 2), PLATE_Y, 0, 0};
        SDL_BlitSurface(plate, nullptr, screenSurface, &place);
    }
    hostFrameShow(screenSurface);
    const double shown = hostSeconds();
    frameStatsShown(shown);
    histogramAdd(&frameCosts, 1000 * (shown - started));
}

bool playFrame(FrameClock* clock, Uint32 milliseconds, bool draw, Recorder recorder)
{
    // The frame in which the player leaves is still updated, drawn and shown.
    const PlayLook look = playerLook(gamePaused);
    const bool leave = lookTaken(look);
    if (recorder)
        recorder(milliseconds, look.controls);
    frameStep(clock, milliseconds, look.controls, draw);
    return leave || shipIsGameOver();
}

void gamePlay(Recorder recorder)
{
    FrameClock clock;
    frameClockStart(&clock, SDL_GetTicks());
    for (;;) {
        if (gamePaused) {
            if (pauseLook(&clock, false))
                return;
            continue;
        }
        presentPace();
        if (playFrame(&clock, frameWaitForTick(clock.lastTick) - clock.lastTick, true, recorder))
            return;
    }
}
