// The keyboard, the gamepad and the window as SDL's event queue reports them: keys and
// buttons pressed and let go, the pad moved, the window losing the keyboard or closed. What
// any of them means to the game is the game's own business (game/actions.h).
#pragma once

#include <SDL.h>

enum class InputKind { KeyDown, KeyUp, ButtonDown, ButtonUp, PadMoved, PadPulled, Click, FocusLost, WindowClosed };

struct InputEvent {
    InputKind kind;
    int code;  // the key's SDL symbol or the button's number; 0 for the rest
};

// Takes the next event the game may want from the queue, leaving out the rest (the mouse's
// motion, the window's own keys): false when the queue holds no more.
bool inputNext(InputEvent* event);

// Whether a key pressed with those modifiers held is Alt+Enter, or its Alt, which switch
// between full screen and the window and are the window's own: no press of the game's,
// unless the Alt is bound to an action. The window takes Alt+Enter out of the queue as it
// comes (presentScreenOpened), and inputNext leaves out one pushed past it.
bool inputWindowKey(int key, int modifiers);

// Whether a key, a button, a click or a closed window waits in the event queue, left there.
bool inputPressQueued();

// What the open pad holds: its stick, its d-pad and its buttons (nothing without a pad), as
// its events last told, or fresh from the pad itself.
struct PadState {
    Sint16 x, y;     // the stick, -32768 to 32767, left and up negative
    Uint8 hat;       // SDL_HAT_ bits of the d-pad
    Uint32 buttons;  // bit n for button n
};
PadState inputPad(bool fresh = false);

// Whether the keyboard holds the key (an SDL key symbol) now, as SDL last saw it: SDL 1.2's
// SDL_GetKeyState. emscripten's SDL has that call by its later name, SDL_GetKeyboardState,
// and numbers its keys as SDL 2 does, the arrows and the like from 2^30 up, keeping those in
// its table from 1024 on.
bool inputKeyHeld(int key);

// The name SDL gives a key ("left", "space", "right ctrl", "a"), or none; and the key of a name,
// whatever its case, or SDLK_UNKNOWN. Both libraries give the same names (sdl12-compat calls
// the semicolon ")", which is the classic library's ";" here), and both give them before SDL
// starts too: the classic library names its keys only once its video has started, so it is
// started on its dummy driver for that once, and stopped again.
const char* inputKeyName(int key);
int inputKeyNamed(const char* name);

// Opens the first joystick found, if any, so its events arrive; from then on pads are looked
// for (SDL must have started its joystick part). Without this call joysticks are left alone.
void inputJoystickOpen();

// While no pad is open, looks for one again, at most once a second: one plugged in since, or
// on the page one whose button was pressed there first. Called while the game waits for the
// player, on the title screen and in pause. The pad read, pulled out, comes from inputNext as
// PadPulled, closed: its stick and buttons are let go of.
void inputJoystickLookAgain();

// Tells the page whether a game is being played (pause included) or the title screen shows,
// its demos included: a phone's controls there start a game, and only in play leave it.
// Nothing on the desktop.
void inputInPlay(bool playing);

// The halves the desktop (input_desktop.cpp) and the browser (input_web.cpp) do their own
// way. Whether the page lost the keyboard or was hidden since the last look, which pauses the
// game as a window losing its focus does (a window says so through SDL's events instead).
bool inputPageLeft();
// SDL 1.2 lists its joysticks once, when its joystick part starts: listing them again stops
// and starts that part, on the desktop where a new pad may have come (sdl12-compat's SDL2
// counts one first), and nowhere on the page, whose SDL asks the browser afresh. Opened
// tells which pad the game now reads, SDL's first; pulled whether it has gone since: SDL2
// keeps a pad that went but marks it, the browser forgets it; the classic SDL 1.2 tells
// nothing of a pad that went, so there it is never pulled.
void inputPadsListAgain();
void inputPadOpened();
bool inputPadPulled();
