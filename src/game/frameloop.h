// The owner of time: one game from its set-up through the frame loop, the elapsed time of
// each frame and the measured frame rate.
#pragma once

#include <SDL.h>

constexpr int FPS_WINDOW = 20;  // frames per frame-rate measurement
constexpr int ENEMIES_PER_GAME = 199;

struct FrameClock {
    Uint32 lastTick;     // SDL_GetTicks at the start of the previous frame
    Uint32 windowStart;  // when the current frame-rate window began
    int framesInWindow;
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

// Everything a frame does after reading the keyboard: update, draw, flip.
void frameRun(double seconds);

// Plays one game to its end: Escape, a closed window or the last life lost, or the end of a
// demo played back. A pause stops the world and the clock alike. A game being recorded gives
// the demo each frame.
void gamePlay();
