#include "game/title.h"

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "game/demo.h"
#include "game/frameloop.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/progdir.h"
#include "platform/screenshot.h"
#include "platform/sound.h"
#include "platform/startup.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "world/numbers.h"

#include <SDL.h>

int spritesLoaded = 0;
bool attractEnabled = true;
int attractWaitLooks = ATTRACT_WAIT_LOOKS;

int spritesLoadAll()
{
    // Set first, so the title screen never shows the loading picture twice.
    spritesLoaded = 1;
    if (shipLoad() < 0 || enemyLoad() < 0 || bulletLoad() < 0 || missileLoad() < 0 || shrapnelLoad() < 0)
        return -1;
    return 0;
}

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
    demoMode = DemoMode::Attract;
    soundMuted = 1;
    gameStart();
    frameClockStart(&attractClock, SDL_GetTicks());
    return true;
}

// Back to the ready picture with nothing of the demo left behind but the dice as it left them.
void attractStop()
{
    fclose(attractFile);
    attractFile = nullptr;
    demoMode = DemoMode::None;
    soundMuted = 0;
    gamePaused = 0;
    demoFlagsApply(0);
    bulletCooldown = keptBullet, missileCooldown = keptMissile, framesPerSecond = keptRate;
    looksUntouched = 0;
}

}  // namespace

void attractReset()
{
    for (AttractDemo& demo : attractDemos)
        demo.unreadable = false;
    nextDemo = 0;
    looksUntouched = 0;
}

int titleScreenStep()
{
    if (attractFile) {
        const int ended = frameStep(&attractClock);
        if (ended)
            attractStop();
        return ended == FRAME_WINDOW_CLOSED ? 0 : TITLE_WAITING;
    }
    // The whole queue is read even after a decision: a later request overrides an earlier
    // one within the same poll.
    int result = TITLE_WAITING;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        // Start and Back of a gamepad stand for Space and Escape.
        const SDLKey key = event.type == SDL_KEYDOWN ? event.key.keysym.sym : SDLK_UNKNOWN;
        const int button = event.type == SDL_JOYBUTTONDOWN ? event.jbutton.button : -1;
        if (event.type == SDL_KEYDOWN || event.type == SDL_JOYBUTTONDOWN || event.type == SDL_MOUSEBUTTONDOWN)
            looksUntouched = 0;
        if (event.type == SDL_QUIT || key == SDLK_ESCAPE || button == PAD_BACK)
            result = 0;
        else if ((key == SDLK_SPACE || button == PAD_START) && spritesLoaded)
            result = 1;
        else if (key == SDLK_s)
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
