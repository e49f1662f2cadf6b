// The owner of time: one game from its set-up through the frame loop, the one step every
// frame takes whoever runs it, the elapsed time of each frame, the measured frame rate, and
// the pause.
#pragma once

#include "game/actions.h"

#include <SDL.h>

constexpr int FPS_WINDOW = 20;  // frames per frame-rate measurement
constexpr int ENEMIES_PER_GAME = 199;

struct FrameClock {
    Uint32 lastTick;     // SDL_GetTicks at the start of the previous frame, or the demo's own time
    Uint32 windowStart;  // when the current frame-rate window began
    int framesInWindow;
    Uint32 shownAt;      // the real time a demo played on screen last showed a frame
};

void frameClockStart(FrameClock* clock, Uint32 now);

// Seconds since the previous frame for a frame starting at now, counting the frame into the
// frame-rate window. Differences are taken in unsigned 32 bits, so they stay right when the
// millisecond clock wraps after 49.7 days.
double frameClockAdvance(FrameClock* clock, Uint32 now);

// Waits a millisecond at a time until the clock has moved on from lastTick; gives the new time.
Uint32 frameWaitForTick(Uint32 lastTick);

// True while the game stands paused: Pause turns it over, a window losing the keyboard sets it.
extern bool gamePaused;

// Sets up a game: unpaused, the keys let go on the title screen let go, the ship, empty
// pools, the enemies.
void gameStart();

// One frame, in the order every frame keeps, whoever runs it (the frame loop, a demo played
// back or timed, the title screen's demos, the tests, the fuzzer, the benchmark), from the
// length and the controls its runner gives: the length counted into the clock, the update
// pass reading the controls, then, unless left out (long headless play), the drawing, the
// plate over it if one is given, and the show.
void frameStep(FrameClock* clock, Uint32 milliseconds, const Controls& given, bool draw = true,
               SDL_Surface* plate = nullptr);

// The PAUSED picture over the frozen frame, shown.
void pausedShow();

// While the game is paused the world stands still: the frozen frame shows the PAUSED picture,
// and each look at the player comes after a wait. The time paused belongs to no frame: the
// clock starts afresh when play resumes (at its own time when the frames have lengths of their
// own, as a demo's have). True when the player left the game meanwhile.
bool pauseLook(FrameClock* clock, bool ownTime);

// What the player's look does beyond the ship: the screenshot, the pause. True to leave.
bool lookTaken(const PlayLook& look);

// What a game being recorded is given of each frame before it is played.
using Recorder = void (*)(Uint32 milliseconds, const Controls& controls);

// One frame of a game the player plays, as long as given (the frame loop's clock, or a test's
// or the fuzzer's own): the player's look, the recorder, the step. True when the game ends
// after it: Leave, a closed window or the last life lost.
bool playFrame(FrameClock* clock, Uint32 milliseconds, bool draw = true, Recorder recorder = nullptr);

// Plays one game to its end, a frame whenever the clock has moved on and in step with the
// display where the game paces itself, the pause in between.
void gamePlay(Recorder recorder = nullptr);
