// The owner of time: one game from its set-up through the frame loop, the one step every
// frame takes, the elapsed time of each frame and the measured frame rate.
#pragma once

#include <SDL.h>

constexpr int FPS_WINDOW = 20;  // frames per frame-rate measurement
constexpr int ENEMIES_PER_GAME = 199;
constexpr int FRAME_WINDOW_CLOSED = 2;  // what a step gives when a demo on the title screen saw the window close

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

// Sets up a game: the keys let go on the title screen, the ship, empty pools, the enemies.
void gameStart();

// One frame, in the order every frame keeps, whoever runs it (the frame loop, a demo played
// back or timed, the tests, the fuzzer, the benchmark): its length, then the keyboard's
// events, then the update pass, the drawing and the show. The length is the clock's (the
// loop waits until it has moved on), a demo's recorded one when a demo plays, or the one
// given; the keys are the keyboard's, or a demo's. A game being recorded gets the frame. The
// drawing may be left out (long headless play). While the game is paused a step is one look
// at the keyboard under the PAUSED picture instead, the world standing still. A demo shown
// on the title screen takes any press for the end, and shows its DEMO plate. 1 when the game
// ends after this step (FRAME_WINDOW_CLOSED when the window closed during such a demo).
int frameStep(FrameClock* clock, Uint32 milliseconds = 0, bool draw = true);

// Plays one game to its end: Escape, a closed window or the last life lost, or the end of a
// demo played back. A pause stops the world and the clock alike.
void gamePlay();
