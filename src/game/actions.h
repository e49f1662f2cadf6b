// The game's actions and the player's keyboard and pad: one table of every action, the
// screens it acts on and the keys, pad buttons and pad direction that hold it, and the
// reading of the player through it. Nothing else in the game names a key or a button.
#pragma once

#include "platform/input.h"
#include "world/controls.h"

#include <SDL.h>

#include <string>
#include <utility>
#include <vector>

enum class Screen { Title, Play };

enum class PadDirection { None, Left, Right, Up, Down };

// The keys an action may have, and apart from them its pad buttons.
constexpr int BINDS_PER_ACTION = 4;

struct ActionInfo {
    Action action;
    const char* name;  // one word, as a settings line names it
    const char* what;  // what it does, in a few words
    bool onTitle;      // the screens it acts on
    bool inPlay;
    SDLKey keys[BINDS_PER_ACTION];  // by default; SDLK_UNKNOWN fills the rest
    int buttons[BINDS_PER_ACTION];  // by default, as pad buttons are bound (see Binding); -1 fills
    PadDirection direction;         // the stick's or the d-pad's
};

// Every action, in the order of Action, with its default keys and buttons.
extern const ActionInfo ACTIONS[ACTION_COUNT];

// The keys and buttons each action answers to now: the defaults until something binds others.
// A pad button is bound by its number as the pad gives it (0 to 31), which holds for that pad
// alone, or by its name (PAD_RAW_BUTTONS and up, in PadButton's order), which holds on every pad
// whose layout is known, and on any other as its number by an Xbox pad's.
struct Binding {
    SDLKey keys[BINDS_PER_ACTION];
    int buttons[BINDS_PER_ACTION];
};
constexpr int PAD_CODES = PAD_RAW_BUTTONS + PAD_BUTTONS;  // the codes a pad button is bound by
extern Binding bindings[ACTION_COUNT];

// Every action back to its default keys and buttons.
void bindingsDefault();

// A settings line's binding of an action: its keys (or its pad buttons), in order.
struct BindLine {
    int line;  // where it was said
    int action;
    bool keys;  // keys, else pad buttons
    std::vector<int> codes;
};
// What was said of one line, to be told.
using Told = std::vector<std::pair<int, std::string>>;

// The bindings the lines make, over the defaults of the actions no line rebinds: a key or a
// button serves one action of a screen, and the one that had it first (a default, or an
// earlier line) keeps it; each one refused is told by its line. A later line of an action
// replaces an earlier one.
Told bindingsTake(const std::vector<BindLine>& lines);

// The controls screen's two rules, each giving back the other actions it took a key or button
// from. Give binds the key (or pad button) as the action's first in place of its first, and
// any other action of a screen it shares loses it. Restore gives the action its default keys
// and buttons back, taken from any action of a screen it shares that holds them now.
std::vector<int> bindingsGive(int action, bool key, int code);
std::vector<int> bindingsRestore(int action);

// How a settings line, and the help, name a key ("space", "right ctrl") or a pad button ("a",
// "start", or a number): SDL's names, a number where SDL has none.
std::string bindName(bool key, int code);

// The code of a pad button's name ("a", "dpup"), or -1.
int buttonNamed(const std::string& name);

// The default keys, or pad buttons, of an action, as a settings line names them ("space,
// right ctrl"); empty when it has none.
std::string actionDefaults(const ActionInfo& action, bool keys);
// And those it has now.
std::string bindingNames(Action action, bool keys);

// The action's line in --help: its default keys and pad buttons, then what it does
// ("  space, right ctrl; pad 0, 2   fire bullets"). The manual page, the README and the page
// list the same.
std::string actionHelp(const ActionInfo& action);

// One thing the player did, as the actions of a screen see it.
struct PlayerEvent {
    enum Kind { Pressed, Released, OtherPress, Closed, FocusLost /* or the pad pulled out */ } kind;
    Action action;  // of Pressed and Released
    bool key;       // from the keyboard, not the pad
    int code;       // the key's SDL symbol, or the button as bound (by name where it has one); -1 for the rest
};

// The next thing the player did, false once the queue is empty. In play it also keeps what
// the keyboard and pad hold; the title screen takes presses and leaves that alone, so a key
// let go there is let go only when the next game begins (playerLetGo).
bool playerNext(Screen screen, PlayerEvent* event);

// The one look at the player a frame in play: every event queued up to the first that
// leaves the game, Leave pressed or let go or the window closed, after which the rest wait for
// the next look; Screenshot saves the screen as it is. What it found:
struct PlayLook {
    Controls controls;  // what is held after the look, and what was pressed in it
    bool leave;
    bool paused;  // the pause after the look: Pause turns it over, a lost focus sets it
};
PlayLook inputPoll(bool paused);

// What the keyboard and pad hold, as play last saw them.
Uint16 playerHeld();

// Lets go of every key the keyboard, and every push the pad, shows up now; nothing is taken
// hold of, so the press that started a game does not fire.
void playerLetGo();
