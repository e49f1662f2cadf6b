// What the game needs of the machine around it: the three standard streams open, a prompt end
// when the display goes away, showing a frame, waiting, and handing a checked file to SDL's
// decoders.
#pragma once

#include <SDL.h>

#include <cstdio>

// Opens /dev/null on whichever of standard input, output and error is closed, so that no
// file or display connection opened later takes its number and receives the game's
// messages. Called first thing in main.
void hostStandardStreamsOpen();

// From now on, a lost connection to the X display ends the program at once with status 1
// and one line on standard error; otherwise SDL's shut-down would wait on the dead
// connection for ever.
void hostDisplayLossWatch();

// Shows what was drawn on the screen: every frame and every wait of the game goes through
// these two, so that a machine that must be handed control back gets it there.
void hostFrameShow(SDL_Surface* screen);

// Waits at least the given milliseconds.
void hostWait(Uint32 milliseconds);

// Gives SDL's picture or sound decoder the file whose header was checked through checked,
// from its start; the stream takes the file over and closes it. None when SDL cannot make one.
SDL_RWops* hostDecoderStream(FILE* checked, const char* file);
