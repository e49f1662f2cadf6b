// The keyboard, the gamepad and the window as SDL's event queue reports them: keys and
// buttons pressed and let go, the pad moved, the window losing the keyboard or closed. What
// any of them means to the game is the game's own business (game/actions.h).
#pragma once

#include <SDL.h>

enum class InputKind { KeyDown, KeyUp, ButtonDown, ButtonUp, PadMoved, PadPulled, Click, FocusLost, WindowClosed };

// A pad's buttons by what they are, whatever number the pad gives them: SDL's names for the
// buttons of its game controllers, in SDL's order. A pad whose layout SDL (or the browser)
// knows has them where its maker put them; any other is taken to number its buttons as an
// Xbox pad does under Linux (A 0, B 1, X 2, Y 3, LB 4, RB 5, Back 6, Start 7, Guide 8, the
// sticks 9 and 10), which is what the game read every pad as before it knew layouts.
enum class PadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};
constexpr int PAD_BUTTONS = static_cast<int>(PadButton::DpadRight) + 1;
constexpr int PAD_RAW_BUTTONS = 32;  // a joystick's buttons as it numbers them, 0 to 31

// The names SDL gives them ("a", "back", "leftshoulder", "dpup").
extern const char* const PAD_BUTTON_NAMES[PAD_BUTTONS];

struct InputEvent {
    InputKind kind;
    int code;   // the key's SDL symbol or the button's number (-1 for a d-pad that is no button); 0 for the rest
    int named;  // a button's PadButton, by the pad's layout, or -1 when it has none
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

// What the open pad holds: its stick and its buttons (nothing without a pad), as its events
// last told, or fresh from the pad itself.
struct PadState {
    Sint16 x, y;     // the left stick, -32768 to 32767, left and up negative
    Uint32 buttons;  // bit n for button n as the pad numbers it
    Uint32 named;    // bit n for PadButton n by the pad's layout, the d-pad whether buttons or a hat
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
// started on its dummy driver for that once, and stopped again. The page names its keys
// itself (inputKeyNameOwn).
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
// way. The name of a key its SDL leaves unnamed: none on the desktop, whose SDL names its keys
// itself; on the page, whose SDL names none, the words SDL 1.2 has for the page's keys.
const char* inputKeyNameOwn(int key);
// Whether the page lost the keyboard or was hidden since the last look, which pauses the
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
// Where the open pad has each named button and its stick: SDL's layout of the pad, or the
// browser's standard one; false for a pad whose layout is not known.
struct PadLayout {
    int named[PAD_RAW_BUTTONS];  // the PadButton of each numbered button, or -1
    int hat[4];                  // the PadButton of the d-pad's up, right, down and left, or -1
    int stickX, stickY;          // the axes of the left stick
};
bool inputPadLayout(PadLayout* layout);
