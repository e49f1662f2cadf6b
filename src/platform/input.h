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

// What the open pad holds: its stick, its d-pad and its buttons (nothing without a pad), as
// its events last told, or fresh from the pad itself.
struct PadState {
    Sint16 x, y;     // the stick, -32768 to 32767, left and up negative
    Uint8 hat;       // SDL_HAT_ bits of the d-pad
    Uint32 buttons;  // bit n for button n
};
PadState inputPad(bool fresh = false);

// Whether the keyboard holds the key now, as SDL last saw it.
bool inputKeyHeld(int key);

// The name SDL gives a key ("left", "space", "right ctrl", "a"), or none; and the key of a name,
// whatever its case, or SDLK_UNKNOWN. Both libraries give the same names (sdl12-compat calls
// the semicolon ")", which is the classic library's ";" here), and both give them before SDL
// starts too: the classic library names its keys only once its video has started, so it is
// started on its dummy driver for that once, and stopped again.
const char* inputKeyName(int key);
int inputKeyNamed(const char* name);

// Opens the first joystick found, if any, so its events arrive.
void inputJoystickOpen();

// While no pad is open and joysticks are not left alone, looks for one again, at most once a
// second: one plugged in since, or on the page one whose button was pressed there first.
// Called while the game waits for the player, on the title screen and in pause. The pad
// read, pulled out, comes from inputNext as PadPulled, closed: its stick and buttons are
// let go of.
void inputJoystickLookAgain();
