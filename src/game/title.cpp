#include "game/title.h"

#include "game/actions.h"
#include "game/controlscreen.h"
#include "game/frameloop.h"
#include "game/playback.h"
#include "game/sprites.h"
#include "game/startup.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/progdir.h"
#include "platform/screenshot.h"
#include "platform/sound.h"
#include "player/ship.h"
#include "world/assets.h"
#include "world/controls.h"
#include "world/numbers.h"

#include <SDL.h>

bool attractEnabled = true;
int attractWaitLooks = ATTRACT_WAIT_LOOKS;

namespace {

// The demos kept with the game are shown in turn; one that cannot be read is said once, then
// left out.
bool unreadable[DEMO_COUNT] = {};

int looksUntouched = 0;
int nextDemo = 0;
FILE* attractFile = nullptr;
// What the game before the demo handed on, for the game after it: a demo leaves nothing
// behind but the dice as it left them.
Carryover kept;
bool pressed = false, closed = false;  // what ended the demo, if the player did

// The title's look at the player during a demo: any press ends it, a closed window ends the
// program too, and a page hidden or a window losing the keyboard pauses it.
void attractLook(Frame* look)
{
    PlayerEvent event;
    while (playerNext(Screen::Title, &event)) {
        closed = closed || event.kind == PlayerEvent::Closed;
        pressed = pressed || event.kind == PlayerEvent::Pressed || event.kind == PlayerEvent::OtherPress;
        look->pause = look->pause || event.kind == PlayerEvent::FocusLost;
    }
    look->leave = pressed || closed;
}

FrameAnswer attractNext(Frame* frame)
{
    const FrameAnswer answer = demoFrameDue(frame, true);
    if (answer != FrameAnswer::Ready)
        return answer;
    frame->plate = demoPlate;
    attractLook(frame);
    return answer;
}

void attractPaused(Frame* look)
{
    // Paused it stays, until a press ends it.
    *look = Frame{};
    look->pause = true;
    attractLook(look);
}

const FrameSource attractSource = {attractNext, attractPaused, demoRealRestart};

// The next demo that can be read, set up as its game began; false when none can.
bool attractStart()
{
    kept = carried;
    for (int tries = 0; tries < DEMO_COUNT; tries++) {
        const int demo = nextDemo;
        nextDemo = (nextDemo + 1) % DEMO_COUNT;
        if (unreadable[demo])
            continue;
        char file[PROGDIR_PATH_MAX];
        const char* why = "";
        progdirResolve(DEMO_FILES[demo], file, sizeof file);
        attractFile = fileOpenToRead(file, &why);
        if (!attractFile)
            fprintf(stderr, "failed to play demo %s: %s\n", DEMO_FILES[demo], why);
        else if (demoOpen(attractFile, DEMO_FILES[demo]))
            break;
        unreadable[demo] = true;
        if (attractFile)
            fclose(attractFile);
        attractFile = nullptr;
    }
    if (!attractFile) {
        carried = kept;
        return false;
    }
    soundMuted = true;
    pressed = closed = false;
    gameStart(attractSource);
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
    carried = kept;
    looksUntouched = 0;
}

// One turn of the demo shown: a frame of it, or one look under the PAUSED picture while it
// stands paused. Any press ends it, and so does its own end. 0 when the window was closed,
// which ends the program; TITLE_WAITING otherwise.
int attractStep()
{
    const bool going = gameTurn();
    demoFramePlayed();
    if (going)
        return TITLE_WAITING;
    if (shipIsGameOver() || !(pressed || closed))
        demoEndSay();
    attractStop();
    return closed ? 0 : TITLE_WAITING;
}

}  // namespace

void attractChoose(const PlayChoices& choices)
{
    attractEnabled = choices.attract && choices.demo == DemoMode::None;
}

bool attractShowing()
{
    return attractFile != nullptr;
}

void attractReset()
{
    for (bool& demo : unreadable)
        demo = false;
    nextDemo = 0;
    looksUntouched = 0;
}

int titleScreenStep()
{
    if (attractFile)
        return attractStep();
    // The whole queue is read even after a decision: a later request overrides an earlier
    // one within the same poll. The controls screen takes what follows its own key.
    int result = TITLE_WAITING;
    bool controlsAsked = false;
    PlayerEvent event;
    while (!controlsAsked && playerNext(Screen::Title, &event)) {
        const bool pressed = event.kind == PlayerEvent::Pressed;
        if (pressed || event.kind == PlayerEvent::OtherPress)
            looksUntouched = 0;
        if (event.kind == PlayerEvent::Closed || (pressed && event.action == Action::Leave))
            result = 0;
        else if (pressed && event.action == Action::Start && spritesLoaded)
            result = 1;
        else if (pressed && event.action == Action::Screenshot)
            screenshotSave();
        else if (pressed && event.action == Action::Controls && spritesLoaded)
            controlsAsked = true;
    }
    // The controls screen is a screen of its own, and the latest request; the title then
    // shows the keys it leaves.
    if (controlsAsked && controlScreenRun() == 0)
        return 0;
    if (controlsAsked)
        result = TITLE_WAITING;
    // The loading picture has been up since start-up: the sprites load at once, and the
    // waits between looks at the keyboard begin once they are loaded.
    if (spritesLoaded)
        clockWait(TITLE_POLL_MS);
    inputJoystickLookAgain();
    if (!spritesLoaded) {
        titleShow(loadingImage);
        if (spritesLoadAll() < 0)
            return -1;
        // Ready as soon as the sprites are: the wait begins with the next look.
        titleShow(readyImage);
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
    while ((result = titleScreenStep()) == TITLE_WAITING) { }
    return result;
}
