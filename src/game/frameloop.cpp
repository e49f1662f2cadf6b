#include "game/frameloop.h"

#include "display/background.h"
#include "display/status.h"
#include "enemies/enemy.h"
#include "game/actions.h"
#include "game/startup.h"
#include "platform/clock.h"
#include "platform/framestats.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/screen.h"
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
        carried.framesPerSecond = clock->framesInWindow / (static_cast<Uint32>(now - clock->windowStart) / 1000.0);
        clock->windowStart = now;
        clock->framesInWindow = 0;
    }
    return seconds;
}

bool gamePaused = false;

namespace {

constexpr Uint32 PAUSE_POLL_MS = 100;
constexpr Sint16 PLATE_Y = 8;  // at the top, between the numbers and the radar

const FrameSource* source = &playerSource;
FrameClock gameClock{};
Uint32 playerTick = 0;  // SDL's time of the player's previous frame

// One frame, in the order every frame keeps: the length counted into the clock, the update
// pass reading the controls, then, unless left out, the drawing, the plate and the show.
void frameStep(const Frame& frame)
{
    const double started = clockSeconds();
    const double seconds = frameClockAdvance(&gameClock, gameClock.lastTick + frame.milliseconds);
    controls = frame.controls;
    worldUpdate(seconds);
    if (!frame.draw)
        return;
    backgroundDraw(static_cast<int>(cameraX), static_cast<int>(cameraY));
    worldDraw();
    radarDraw();
    statusDraw();
    if (frame.plate) {
        SDL_Rect place{static_cast<Sint16>((screenSurface->w - frame.plate->w) / 2), PLATE_Y, 0, 0};
        SDL_BlitSurface(frame.plate, nullptr, screenSurface, &place);
    }
    presentFrame(screenSurface);
    const double shown = clockSeconds();
    frameStatsShown(shown);
    histogramAdd(&frameCosts, 1000 * (shown - started));
}

FrameAnswer playerNextFrame(Frame* frame)
{
    // Every frame lasts at least a millisecond, so no frame and no window of the frame rate
    // has zero length; and it comes in step with the display where the game paces itself.
    const Uint32 now = SDL_GetTicks();
    frame->wait = now == playerTick ? 0.001 : presentPaceLeft();
    if (frame->wait > 0)
        return FrameAnswer::NotYet;
    *frame = playerFrame(now - playerTick);
    playerTick = now;
    return FrameAnswer::Ready;
}

}  // namespace

const FrameSource playerSource = {playerNextFrame, playerPausedLook, playerClockRestart};

void playerClockRestart()
{
    playerTick = SDL_GetTicks();
}

Frame playerFrame(Uint32 milliseconds)
{
    const PlayLook look = inputPoll(gamePaused);
    Frame frame;
    frame.milliseconds = milliseconds;
    frame.controls = look.controls;
    frame.leave = look.leave;
    frame.pause = look.paused;
    return frame;
}

void playerPausedLook(Frame* look)
{
    *look = playerFrame(0);
}

void pausedShow()
{
    SDL_Rect place{static_cast<Sint16>((screenSurface->w - pausedImage->w) / 2),
                   static_cast<Sint16>((screenSurface->h - pausedImage->h) / 2), 0, 0};
    SDL_BlitSurface(pausedImage, nullptr, screenSurface, &place);
    presentFrame(screenSurface);
}

void gameStart(const FrameSource& given, Uint32 clockStart)
{
    source = &given;
    gamePaused = false;
    frameStatsRestart();
    playerLetGo();
    shipNewGame();
    poolsClear();
    for (int i = 0; i < ENEMIES_PER_GAME; i++)
        enemySpawn();
    frameClockStart(&gameClock, clockStart);
    if (source->restart)
        source->restart();
}

void gameStart(const FrameSource& given)
{
    gameStart(given, SDL_GetTicks());
}

bool gameTurn()
{
    if (gamePaused) {
        // The world stands still under the PAUSED picture; the time paused belongs to no
        // frame, so the clock goes on from the frame before when play resumes.
        pausedShow();
        clockWait(PAUSE_POLL_MS);
        Frame look;
        source->paused(&look);
        inputJoystickLookAgain();
        if (!look.leave && !look.pause) {
            gamePaused = false;
            frameClockStart(&gameClock, gameClock.lastTick);
            frameStatsRestart();
            if (source->restart)
                source->restart();
        }
        return !look.leave;
    }
    Frame frame;
    FrameAnswer answer;
    while ((answer = source->next(&frame)) == FrameAnswer::NotYet)
        clockWaitSeconds(frame.wait);
    if (answer == FrameAnswer::None)
        return false;
    gamePaused = frame.pause;
    frameStep(frame);
    return !frame.leave && !shipIsGameOver();
}

void gameRun()
{
    while (gameTurn()) { }
}
