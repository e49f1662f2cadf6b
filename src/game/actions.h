// The game's actions and the player's keyboard and pad: one table of every action, the
// screens it acts on and the keys, pad buttons and pad direction that hold it, and the
// reading of the player through it. Nothing else in the game names a key or a button.
#pragma once

#include "world/controls.h"

#include <SDL.h>

enum class Screen { Title, Play };

enum class PadDirection { None, Left, Right, Up, Down };

constexpr int KEYS_PER_ACTION = 4;

struct ActionInfo {
    Action action;
    const char* name;  // one word, as a settings line names it
    const char* what;  // what it does, in a few words
    bool onTitle;      // the screens it acts on
    bool inPlay;
    SDLKey keys[KEYS_PER_ACTION];  // by default; SDLK_UNKNOWN fills the rest
    int buttons[KEYS_PER_ACTION];  // of an Xbox-style pad, as the joystick numbers them; -1 fills
    PadDirection direction;        // the stick's or the d-pad's
};

// Every action, in the order of Action, with its default keys and buttons.
extern const ActionInfo ACTIONS[ACTION_COUNT];

// The keys and buttons each action answers to now: the defaults until something binds others.
struct Binding {
    SDLKey keys[KEYS_PER_ACTION];
    int buttons[KEYS_PER_ACTION];
};
extern Binding bindings[ACTION_COUNT];

// Every action back to its default keys and buttons.
void bindingsDefault();

// One thing the player did, as the actions of a screen see it.
struct PlayerEvent {
    enum Kind { Pressed, Released, OtherPress, Closed, FocusLost /* or the pad pulled out */ } kind;
    Action action;  // of Pressed and Released
    bool key;       // from the keyboard, not the pad
};

// The next thing the player did, false once the queue is empty. In play it also keeps what
// the keyboard and pad hold; the title screen takes presses and leaves that alone, so a key
// let go there is let go only when the next game begins (playerLetGo).
bool playerNext(Screen screen, PlayerEvent* event);

// One look at the player in play: every event queued up to the first that leaves the game,
// Leave pressed or let go or the window closed, after which the rest wait for the next look.
struct PlayLook {
    Controls controls;  // what is held after the look, and what was pressed in it
    bool leave;
    bool paused;  // the pause after the look: Pause turns it over, a lost focus sets it
};
PlayLook playerLook(bool paused);

// What the keyboard and pad hold, as play last saw them.
Uint16 playerHeld();

// Lets go of every key the keyboard, and every push the pad, shows up now; nothing is taken
// hold of, so the press that started a game does not fire.
void playerLetGo();
