#include "game/actions.h"

#include "platform/input.h"
#include "platform/screenshot.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr SDLKey NO_KEY = SDLK_UNKNOWN;
constexpr Sint16 STICK_DEAD_ZONE = 8192;  // a quarter of the way: a resting stick is no push

// The keys play saw pressed and not yet let go, as long as they are bound to an action (a
// browser's key numbers go beyond a table by number).
constexpr int HELD_MOST = ACTION_COUNT * BINDS_PER_ACTION;
int keysHeld[HELD_MOST];
int keysHeldCount = 0;
Uint16 padHeld = 0;  // the actions the pad holds

bool keyHeld(int key)
{
    for (int i = 0; i < keysHeldCount; i++)
        if (keysHeld[i] == key)
            return true;
    return false;
}

void keyHold(int key, bool down)
{
    if (down && !keyHeld(key) && keysHeldCount < HELD_MOST)
        keysHeld[keysHeldCount++] = key;
    for (int i = 0; !down && i < keysHeldCount; i++)
        if (keysHeld[i] == key)
            keysHeld[i--] = keysHeld[--keysHeldCount];
}

bool actsOn(const ActionInfo& info, Screen screen)
{
    return screen == Screen::Title ? info.onTitle : info.inPlay;
}

// Whether a bound button is the one pressed: a number is the pad's own, a name the button
// of that name by the pad's layout.
bool buttonIs(int bound, int raw, int named)
{
    return bound >= 0 && (bound < PAD_RAW_BUTTONS ? bound == raw : bound - PAD_RAW_BUTTONS == named);
}

// The action of the screen that the key, or the button (by its number and its name), answers
// to, or -1.
int actionOf(Screen screen, const InputEvent& in, bool key)
{
    for (int a = 0; a < ACTION_COUNT; a++) {
        if (!actsOn(ACTIONS[a], screen))
            continue;
        for (int i = 0; i < BINDS_PER_ACTION; i++)
            if (key ? bindings[a].keys[i] != NO_KEY && bindings[a].keys[i] == in.code
                    : buttonIs(bindings[a].buttons[i], in.code, in.named))
                return a;
    }
    return -1;
}

bool namedHeld(const PadState& pad, PadButton button)
{
    return pad.named >> static_cast<int>(button) & 1;
}

bool pushed(const PadState& pad, PadDirection direction)
{
    switch (direction) {
    case PadDirection::Left: return pad.x < -STICK_DEAD_ZONE || namedHeld(pad, PadButton::DpadLeft);
    case PadDirection::Right: return pad.x > STICK_DEAD_ZONE || namedHeld(pad, PadButton::DpadRight);
    case PadDirection::Up: return pad.y < -STICK_DEAD_ZONE || namedHeld(pad, PadButton::DpadUp);
    case PadDirection::Down: return pad.y > STICK_DEAD_ZONE || namedHeld(pad, PadButton::DpadDown);
    default: return false;
    }
}

bool buttonHeld(const PadState& pad, int bound)
{
    if (bound < 0)
        return false;
    return bound < PAD_RAW_BUTTONS ? pad.buttons >> bound & 1 : pad.named >> (bound - PAD_RAW_BUTTONS) & 1;
}

// The actions of play that the pad holds: its direction, or one of its buttons.
Uint16 padHolds(const PadState& pad)
{
    Uint16 held = 0;
    for (int a = 0; a < ACTION_COUNT; a++) {
        bool holds = ACTIONS[a].inPlay && pushed(pad, ACTIONS[a].direction);
        for (int i = 0; i < BINDS_PER_ACTION && ACTIONS[a].inPlay; i++)
            holds = holds || buttonHeld(pad, bindings[a].buttons[i]);
        if (holds)
            held |= actionBit(static_cast<Action>(a));
    }
    return held;
}

constexpr int named(PadButton button)
{
    return PAD_RAW_BUTTONS + static_cast<int>(button);
}
constexpr int A = named(PadButton::A), B = named(PadButton::B), X = named(PadButton::X), Y = named(PadButton::Y),
              BACK = named(PadButton::Back), START = named(PadButton::Start), NONE = -1;

}  // namespace

// clang-format off
const ActionInfo ACTIONS[ACTION_COUNT] = {
    {Action::Left, "left", "turn counter-clockwise", false, true, {SDLK_LEFT}, {NONE, NONE, NONE, NONE},
     PadDirection::Left},
    {Action::Right, "right", "turn clockwise", false, true, {SDLK_RIGHT}, {NONE, NONE, NONE, NONE},
     PadDirection::Right},
    {Action::Thrust, "thrust", "thrust", false, true, {SDLK_UP}, {NONE, NONE, NONE, NONE}, PadDirection::Up},
    {Action::Brake, "brake", "brake (the ship can stop, never reverse)", false, true, {SDLK_DOWN},
     {NONE, NONE, NONE, NONE}, PadDirection::Down},
    {Action::Fire, "fire", "fire bullets", false, true, {SDLK_SPACE, SDLK_RCTRL}, {A, X, NONE, NONE},
     PadDirection::None},
    {Action::Missiles, "missiles", "fire a pair of missiles", false, true, {SDLK_m, SDLK_RSHIFT}, {B, Y, NONE, NONE},
     PadDirection::None},
    {Action::Pause, "pause", "pause and resume", false, true, {SDLK_p}, {START, NONE, NONE, NONE}, PadDirection::None},
    {Action::Screenshot, "screenshot", "save the screen to screenshot.bmp", true, true, {SDLK_s},
     {NONE, NONE, NONE, NONE}, PadDirection::None},
    {Action::Leave, "leave", "leave the game; on the title screen, quit", true, true, {SDLK_ESCAPE},
     {BACK, NONE, NONE, NONE}, PadDirection::None},
    {Action::Start, "start", "start a game, on the title screen", true, false, {SDLK_SPACE},
     {START, NONE, NONE, NONE}, PadDirection::None},
    {Action::Controls, "controls", "change the keys and pad buttons, on the title screen", true, false, {SDLK_c},
     {Y, NONE, NONE, NONE}, PadDirection::None},
};
// clang-format on

Binding bindings[ACTION_COUNT] = {};

void bindingsDefault()
{
    for (int a = 0; a < ACTION_COUNT; a++)
        for (int i = 0; i < BINDS_PER_ACTION; i++)
            bindings[a].keys[i] = ACTIONS[a].keys[i], bindings[a].buttons[i] = ACTIONS[a].buttons[i];
}

namespace {

// The bindings start as the table's defaults.
[[maybe_unused]] const bool bound = (bindingsDefault(), true);

bool shareAScreen(int a, int b)
{
    return (ACTIONS[a].onTitle && ACTIONS[b].onTitle) || (ACTIONS[a].inPlay && ACTIONS[b].inPlay);
}

}  // namespace

Told bindingsTake(const std::vector<BindLine>& lines)
{
    Told told;
    Binding taken[ACTION_COUNT];
    for (int a = 0; a < ACTION_COUNT; a++)
        taken[a] = bindings[a];
    std::vector<const BindLine*> last(2 * ACTION_COUNT, nullptr);  // a later line replaces an earlier
    for (const BindLine& line : lines)
        last[2 * line.action + line.keys] = &line;
    for (const BindLine* line : last) {
        for (int i = 0; line && i < BINDS_PER_ACTION; i++) {
            if (line->keys)
                taken[line->action].keys[i] = NO_KEY;
            else
                taken[line->action].buttons[i] = -1;
        }
    }
    for (const BindLine& line : lines) {
        if (last[2 * line.action + line.keys] != &line)
            continue;
        int put = 0;
        for (const int code : line.codes) {
            int holder = -1;
            for (int a = 0; a < ACTION_COUNT && holder < 0; a++)
                for (int i = 0; i < BINDS_PER_ACTION && a != line.action; i++)
                    if ((line.keys ? taken[a].keys[i] == code : taken[a].buttons[i] == code) &&
                        shareAScreen(a, line.action))
                        holder = a;
            if (holder >= 0) {
                char why[128];
                snprintf(why, sizeof why, "\"%s\" is bound to %s already", bindName(line.keys, code).c_str(),
                         ACTIONS[holder].name);
                told.emplace_back(line.line, why);
                continue;
            }
            if (line.keys)
                taken[line.action].keys[put++] = static_cast<SDLKey>(code);
            else
                taken[line.action].buttons[put++] = code;
        }
    }
    for (int a = 0; a < ACTION_COUNT; a++)
        bindings[a] = taken[a];
    return told;
}

namespace {

int codeAt(int action, bool key, int i)
{
    return key ? bindings[action].keys[i] : bindings[action].buttons[i];
}

void codeSet(int action, bool key, int i, int code)
{
    if (key)
        bindings[action].keys[i] = static_cast<SDLKey>(code);
    else
        bindings[action].buttons[i] = code;
}

// Takes the code from every action but this one that shares a screen with it, the codes after
// it moving up; the actions it was taken from are added to taken.
void takeFromOthers(int action, bool key, int code, std::vector<int>& taken)
{
    const int none = key ? NO_KEY : -1;
    for (int other = 0; other < ACTION_COUNT; other++) {
        if (other == action || !shareAScreen(other, action))
            continue;
        int put = 0;
        for (int i = 0; i < BINDS_PER_ACTION; i++)
            if (codeAt(other, key, i) != code)
                codeSet(other, key, put++, codeAt(other, key, i));
        if (put == BINDS_PER_ACTION)
            continue;
        while (put < BINDS_PER_ACTION)
            codeSet(other, key, put++, none);
        if (std::find(taken.begin(), taken.end(), other) == taken.end())
            taken.push_back(other);
    }
}

}  // namespace

std::vector<int> bindingsGive(int action, bool key, int code)
{
    std::vector<int> taken;
    takeFromOthers(action, key, code, taken);
    // The new code first, the action's others after it as they were, the first given up.
    const int none = key ? NO_KEY : -1;
    int kept[BINDS_PER_ACTION];
    int count = 0;
    kept[count++] = code;
    for (int i = 1; i < BINDS_PER_ACTION; i++)
        if (codeAt(action, key, i) != none && codeAt(action, key, i) != code)
            kept[count++] = codeAt(action, key, i);
    for (int i = 0; i < BINDS_PER_ACTION; i++)
        codeSet(action, key, i, i < count ? kept[i] : none);
    return taken;
}

std::vector<int> bindingsRestore(int action)
{
    std::vector<int> taken;
    for (int i = 0; i < BINDS_PER_ACTION; i++) {
        if (ACTIONS[action].keys[i] != NO_KEY)
            takeFromOthers(action, true, ACTIONS[action].keys[i], taken);
        if (ACTIONS[action].buttons[i] >= 0)
            takeFromOthers(action, false, ACTIONS[action].buttons[i], taken);
        bindings[action].keys[i] = ACTIONS[action].keys[i];
        bindings[action].buttons[i] = ACTIONS[action].buttons[i];
    }
    return taken;
}

std::string bindName(bool key, int code)
{
    const char* name = key                            ? inputKeyName(code)
        : code >= PAD_RAW_BUTTONS && code < PAD_CODES ? PAD_BUTTON_NAMES[code - PAD_RAW_BUTTONS]
                                                      : nullptr;
    return name ? name : std::to_string(code);
}

int buttonNamed(const std::string& name)
{
    for (int button = 0; button < PAD_BUTTONS; button++)
        if (name == PAD_BUTTON_NAMES[button])
            return PAD_RAW_BUTTONS + button;
    return -1;
}

namespace {

std::string namesOf(const SDLKey* keys, const int* buttons, bool key)
{
    std::string names;
    for (int i = 0; i < BINDS_PER_ACTION; i++) {
        const int code = key ? keys[i] : buttons[i];
        if (key ? code != NO_KEY : code >= 0)
            names += (names.empty() ? "" : ", ") + bindName(key, code);
    }
    return names;
}

}  // namespace

std::string actionDefaults(const ActionInfo& action, bool keys)
{
    return namesOf(action.keys, action.buttons, keys);
}

std::string bindingNames(Action action, bool keys)
{
    const Binding& bound = bindings[static_cast<int>(action)];
    return namesOf(bound.keys, bound.buttons, keys);
}

std::string actionHelp(const ActionInfo& action)
{
    const std::string pad = actionDefaults(action, false);
    std::string keys = actionDefaults(action, true) + (pad.empty() ? "" : "; pad " + pad);
    keys.resize(std::max<std::size_t>(keys.size() + 2, 31), ' ');
    return "  " + keys + action.what;
}

bool playerNext(Screen screen, PlayerEvent* event)
{
    InputEvent in;
    while (inputNext(&in)) {
        const bool down = in.kind == InputKind::KeyDown || in.kind == InputKind::ButtonDown;
        switch (in.kind) {
        case InputKind::KeyDown:
        case InputKind::KeyUp:
        case InputKind::ButtonDown:
        case InputKind::ButtonUp: {
            const bool key = in.kind == InputKind::KeyDown || in.kind == InputKind::KeyUp;
            const int action = actionOf(screen, in, key);
            // A button is known by its name where the pad's layout gives it one.
            const int code = key || in.named < 0 ? in.code : PAD_RAW_BUTTONS + in.named;
            if (screen == Screen::Play && key && action >= 0)
                keyHold(in.code, down);
            if (screen == Screen::Play && !key)
                padHeld = padHolds(inputPad());
            if (action >= 0) {
                *event = {down ? PlayerEvent::Pressed : PlayerEvent::Released, static_cast<Action>(action), key, code};
                return true;
            }
            if (down && !(key && inputWindowKey(in.code, 0))) {
                *event = {PlayerEvent::OtherPress, Action::Start, key, code};
                return true;
            }
            break;
        }
        case InputKind::PadMoved:
            if (screen == Screen::Play)
                padHeld = padHolds(inputPad());
            break;
        case InputKind::Click: *event = {PlayerEvent::OtherPress, Action::Start, false, -1}; return true;
        case InputKind::PadPulled:
            // What the pad held is let go of, and the game pauses as for a lost window.
            padHeld = 0;
            [[fallthrough]];
        case InputKind::FocusLost: *event = {PlayerEvent::FocusLost, Action::Pause, false, -1}; return true;
        case InputKind::WindowClosed: *event = {PlayerEvent::Closed, Action::Leave, false, -1}; return true;
        }
    }
    return false;
}

PlayLook inputPoll(bool paused)
{
    PlayLook look{{}, false, paused};
    PlayerEvent event;
    while (!look.leave && playerNext(Screen::Play, &event)) {
        if (event.kind == PlayerEvent::FocusLost) {
            look.paused = true;
        } else if (event.kind == PlayerEvent::Closed) {
            look.leave = true;
        } else if (event.kind == PlayerEvent::Pressed || event.kind == PlayerEvent::Released) {
            // Leave is a key let go as much as pressed.
            look.leave = event.action == Action::Leave && (event.kind == PlayerEvent::Pressed || event.key);
            if (event.kind == PlayerEvent::Pressed) {
                look.controls.pressed |= actionBit(event.action);
                if (event.action == Action::Pause)
                    look.paused = !look.paused;
            }
        }
    }
    look.controls.held = playerHeld();
    if (look.controls.presses(Action::Screenshot))
        screenshotSave();
    return look;
}

Uint16 playerHeld()
{
    Uint16 held = padHeld;
    for (int a = 0; a < ACTION_COUNT; a++)
        for (int i = 0; i < BINDS_PER_ACTION && ACTIONS[a].inPlay; i++)
            if (bindings[a].keys[i] != NO_KEY && keyHeld(bindings[a].keys[i]))
                held |= actionBit(static_cast<Action>(a));
    return held;
}

void playerLetGo()
{
    for (int i = 0; i < keysHeldCount; i++)
        if (!inputKeyHeld(keysHeld[i]))
            keyHold(keysHeld[i--], false);
    padHeld &= padHolds(inputPad(true));
}
