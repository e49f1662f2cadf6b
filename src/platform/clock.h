// The clock and waiting: SDL's milliseconds are the game's time, and this steadier clock, finer
// than them, paces frames and measures how even they come. In a browser every wait hands the
// page its turn (clock_web.cpp).
#pragma once

#include <SDL.h>

// Waits at least the given milliseconds.
void clockWait(Uint32 milliseconds);

// Seconds from some moment of the clock's own, and a wait on that clock.
double clockSeconds();
void clockWaitSeconds(double seconds);
