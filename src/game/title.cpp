#include "game/title.h"

#include "game/actions.h"
#include "game/demo.h"
#include "game/frameloop.h"
#include "game/sprites.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/progdir.h"
#include "platform/screenshot.h"
#include "platform/sound.h"
#include "platform/startup.h"
#include "player/ship.h"
#include "world/controls.h"
#include "world/numbers.h"

#include <SDL.h>

bool attractEnabled = true;
int attractWaitLooks = ATTRACT_WAIT_LOOKS;

namespace {

// The demos kept with the game, shown in turn.
struct AttractDemo {
    const char* path;
    bool unreadable;  // said once, then left out
};
AttractDemo attractDemos[] = {{"progdir:demos/calm.skdemo", false},
                              {"progdir:demos/fight.skdemo", false},
                              {"progdir:demos/end.skdemo", false}};
constexpr int ATTRACT_DEMOS = sizeof attractDemos / sizeof attractDemos[0];

int looksUntouched = 0;
int nextDemo = 0;
FILE* attractFile = nullptr;
FrameClock attractClock;
// What a demo must not take into the player's game: the cooldowns that carry over from the
// last game played, and the frame rate measured in it.
double keptBullet, keptMissile, keptRate;

// The next demo that can be read, set up as its game began; false when none can.
bool attractStart()
{
    for (int tries = 0; tries < ATTRACT_DEMOS; tries++) {
        AttractDemo& demo = attractDemos[nextDemo];
        nextDemo = (nextDemo + 1) % ATTRACT_DEMOS;
        if (demo.unreadable)
            continue;
        keptBullet = bulletCooldown, keptMissile = missileCooldown, keptRate = framesPerSecond;
        char file[PROGDIR_PATH_MAX];
        const char* why = "";
        progdirResolve(demo.path, file, sizeof file);
        attractFile = fileOpenToRead(file, &why);
        if (!attractFile)
            fprintf(stderr, "failed to play demo %s: %s\n", demo.path, why);
        else if (demoOpen(attractFile, demo.path))
            break;
        demo.unreadable = true;
        if (attractFile)
            fclose(attractFile);
        attractFile = nullptr;
    }
    if (!attractFile) {
        bulletCooldown = keptBullet, missileCooldown = keptMissile;
        return false;
    }
    soundMuted = true;
    gameStart();
    frameClockStart(&attractClock, SDL_GetTicks());
    return true;
}

// Back to the ready picture with nothing of the demo left behind but the dice as it left them.
void attractStop()
{
    fclose(attractFile);
    attractFile = nullptr;
    soundMuted = false;
    gamePaused = false;
    controls = {};
    bulletCooldown = keptBullet, missileCooldown = keptMissile, framesPerSecond = keptRate;
    looksUntouched = 0;
}

// One frame of the demo shown, or one look under the PAUSED picture while it stands paused
// (a page hidden, a window losing the keyboard): any press ends it, and so does its own end.
// 0 when the window was closed, which ends the program; TITLE_WAITING otherwise.
int attractStep()
{
    bool pressed = false, closed = false;
    const auto look = [&] {
        PlayerEvent event;
        while (playerNext(Screen::Title, &event)) {
            closed = closed || event.kind == PlayerEvent::Closed;
            pressed = pressed || event.kind == PlayerEvent::Pressed || event.kind == PlayerEvent::OtherPress;
            gamePaused = gamePaused || event.kind == PlayerEvent::FocusLost;
        }
    };
    bool over = false;
    Uint32 milliseconds = 0;
    Controls held;
    if (gamePaused) {
        pausedShow();
        hostWait(TITLE_POLL_MS);
        look();
        inputJoystickLookAgain();
    } else if (demoNext(&milliseconds, &held) <= 0) {
        over = true;
    } else {
        demoWaitReal(&attractClock, milliseconds);
        look();
        frameStep(&attractClock, milliseconds, held, true, demoPlate);
        demoFramePlayed();
        over = shipIsGameOver();
    }
    if (over)
        demoEndSay();
    if (over || pressed || closed)
        attractStop();
    return closed ? 0 : TITLE_WAITING;
}

}  // namespace

bool attractShowing()
{
    return attractFile != nullptr;
}

void attractReset()
{
    for (AttractDemo& demo : attractDemos)
        demo.unreadable = false;
    nextDemo = 0;
    looksUntouched = 0;
}

int titleScreenStep()
{
    if (attractFile)
        return attractStep();
    // The whole queue is read even after a decision: a later request overrides an earlier
    // one within the same poll.
    int result = TITLE_WAITING;
    PlayerEvent event;
    while (playerNext(Screen::Title, &event)) {
        const bool pressed = event.kind == PlayerEvent::Pressed;
        if (pressed || event.kind == PlayerEvent::OtherPress)
            looksUntouched = 0;
        if (event.kind == PlayerEvent::Closed || (pressed && event.action == Action::Leave))
            result = 0;
        else if (pressed && event.action == Action::Start && spritesLoaded)
            result = 1;
        else if (pressed && event.action == Action::Screenshot)
            screenshotSave();
    }
    // The loading picture has been up since start-up: the sprites load at once, and the
    // waits between looks at the keyboard begin once they are loaded.
    if (spritesLoaded)
        hostWait(TITLE_POLL_MS);
    inputJoystickLookAgain();
    if (!spritesLoaded) {
        titleShow(loadingImage);
        if (spritesLoadAll() < 0)
            return -1;
        return result;
    }
    titleShow(readyImage);
    if (result == TITLE_WAITING && attractEnabled && ++looksUntouched >= attractWaitLooks && !attractStart())
        attractEnabled = false;  // no kept demo can be read: the title screen stays as it is
    return result;
}

int titleScreenRun()
{
    int result;
    while ((result = titleScreenStep()) == TITLE_WAITING) {
    }
    return result;
}
