// The keyboard and the gamepad during play: SDL's event queue turned into eight key flags
// for the ship, screenshots on S, pausing, and the player's wish to leave the game.
#pragma once

#include <SDL.h>

// The buttons of an Xbox-style pad, as the joystick numbers them.
constexpr int PAD_FIRE = 0;  // A; X fires too
constexpr int PAD_MISSILES = 1;  // B; Y fires missiles too
constexpr int PAD_FIRE_TOO = 2;
constexpr int PAD_MISSILES_TOO = 3;
constexpr int PAD_BACK = 6;   // leaves, as Escape does
constexpr int PAD_START = 7;  // starts a game on the title screen, pauses in play

// 1 while the key, or what the gamepad does for it, is held. Written only here; they last
// across frames and games.
extern int keyUp;
extern int keyDown;
extern int keyRight;
extern int keyLeft;
extern int keySpace;
extern int keyRightCtrl;
extern int keyM;
extern int keyRightShift;

// 1 while the game is paused: P and Start toggle it, a window losing the keyboard or being
// hidden or minimised sets it.
extern int gamePaused;

// Opens the first joystick found, if any, so its events arrive.
void inputJoystickOpen();

// While no pad is open and joysticks are not left alone, looks for one again: a browser
// lists a pad only once a button of it is pressed on the page. Called while the game waits
// for the player, on the title screen and in pause. Desktop SDL 1.2 lists its joysticks
// once, at start-up, so there it finds nothing new.
void inputJoystickLookAgain();

// Empties the event queue; 1 when Escape (pressed or released) or a window close asked to
// leave the game, with any later events left queued; 0 otherwise.
int inputPoll();

// Whether a press is Alt+Enter, or its Alt, which switch between full screen and the window
// and are the window's own: no press of the game's. The window takes Alt+Enter out of the
// queue as it comes (presentScreenOpened); one pushed past it is still no press.
bool inputWindowKey(const SDL_Event& event);

// What a look at the queue found when any press will do: nothing, a key, a button, a click or
// a touch pressed, or the window closed. The queue is emptied; the key flags are not touched.
enum class Press { None, Any, WindowClosed };
Press inputAnyPress();

// Lets go of every flag whose key the keyboard, or whose push the pad, shows up now. The
// title screen takes releases without touching the flags, so a key let go there would
// otherwise stay held into the next game; a flag is never set here, so the Space that starts
// a game does not fire.
void inputReleaseLiftedKeys();
