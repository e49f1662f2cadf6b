// The screen and SDL's start-up: SDL with the parts the game asks for, on a display a player
// can see, the video mode, and the one surface everything is drawn on.
#pragma once

#include <SDL.h>

extern SDL_Surface* screenSurface;

// Starts SDL with these of its parts (SDL_INIT_ flags): 0, or -1 after one line on standard
// error. SDL's shut-down is registered to run at exit. Without a real display (SDL falling
// back on its invisible offscreen or dummy driver, or on letters in the terminal, unasked) it
// stops there.
int screenStart(Uint32 systems);

// Opens the video mode at the depth SDL offers for the request, the window given the icon
// (none: the window does without), and laid over the whole screen in full screen: 0, or -1
// after one line on standard error. What was set up before stays in place.
int screenOpen(int width, int height, int bitsPerPixel, Uint32 flags, SDL_Surface* icon);

// From now on, a lost connection to the X display ends the program at once with status 1
// and one line on standard error; otherwise SDL's shut-down would wait on the dead
// connection for ever. The page is its own display (screen_web.cpp).
void screenLossWatch();
