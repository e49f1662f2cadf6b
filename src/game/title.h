// The screen between games: the intro picture with the loading picture while the sprites
// are read (once), then with the ready picture until the player starts or leaves. When the
// ready picture has waited 20 seconds untouched, it shows the demos kept with the game, one
// after the other, until anybody presses anything.
#pragma once

#include "game/options.h"

constexpr int TITLE_POLL_MS = 100;
constexpr int ATTRACT_WAIT_LOOKS = 200;  // 20 seconds of looks at the keyboard

// Whether the title screen shows its demos (-noattract, -record, -playdemo and -timedemo
// keep it still), and after how many looks at the keyboard without a press (tests shorten it).
extern bool attractEnabled;
extern int attractWaitLooks;

// The title screen's demos as the command line chose them: -noattract keeps it still, and so
// does a game recorded or a demo played, which is all the program does then.
void attractChoose(const PlayChoices& choices);

// Whether a demo is being shown.
bool attractShowing();

// The demos as at the program's start: none known to be unreadable, the first one next, no
// look yet untouched (for tests, which play many title screens in one process).
void attractReset();

constexpr int TITLE_WAITING = 2;

// One pass of the title screen: the queued events, a wait and the picture shown, or, while a
// demo is shown, one frame of it. 1 to start a game, 0 to end the program, -1 when a sprite
// set failed to load, TITLE_WAITING for another pass.
int titleScreenStep();

// Passes until one decides: 1 to start a game, 0 to end the program, -1 when a sprite set
// failed to load.
int titleScreenRun();
