// What the game needs of the machine around it: the three standard streams open, a prompt end
// when the display goes away, showing a frame, waiting, and handing a checked file to SDL's
// decoders. The desktop (host_desktop.cpp) and the browser (host_web.cpp) each do these their
// own way; the build takes one of the two.
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

// Shows what was drawn on the screen. In a browser the page then has its turn until its next
// animation frame: only then does it show the canvas and hand over keys and clicks.
void hostFrameShow(SDL_Surface* screen);

// Tells the page whether a game is being played (pause included) or the title screen shows,
// its demos included: a phone's controls there start a game, and only in play leave it.
// Nothing on the desktop.
void hostInPlay(bool playing);

// Waits at least the given milliseconds, the page running meanwhile in a browser.
void hostWait(Uint32 milliseconds);

// Whether the page lost the keyboard or was hidden since the last look, which pauses the game
// as a window losing its focus does; a window says so through SDL's events instead.
bool hostLeft();

// Whether a key, a button, a click or a closed window waits in the event queue, left there.
bool hostPressQueued();

// A steady clock finer than SDL's milliseconds, in seconds from some moment of its own, and a
// wait on it: for pacing frames and for measuring how even they come.
double hostSeconds();
void hostWaitSeconds(double seconds);

// Gives SDL's picture or sound decoder the file whose header was checked through checked,
// from its start; the stream takes the file over and closes it. None when SDL cannot make one.
SDL_RWops* hostDecoderStream(FILE* checked, const char* file);

// Whether the keyboard holds the key (an SDL key symbol) now, as SDL last saw it: SDL 1.2's
// SDL_GetKeyState. emscripten's SDL has that call by its later name, SDL_GetKeyboardState,
// and numbers its keys as SDL 2 does, the arrows and the like from 2^30 up, keeping those in
// its table from 1024 on.
bool hostKeyHeld(int key);

// Pads plugged in and pulled out. SDL 1.2 lists its joysticks once, when its joystick part
// starts: listing them again stops and starts that part, on the desktop where a new pad may
// have come (sdl12-compat's SDL2 counts one first), and nowhere on the page, whose SDL asks
// the browser afresh. Opened tells which pad the game now reads, SDL's first; pulled whether
// it has gone since: SDL2 keeps a pad that went but marks it, the browser forgets it; the
// classic SDL 1.2 tells nothing of a pad that went, so there it is never pulled.
void hostPadsListAgain();
void hostPadOpened();
bool hostPadPulled();
