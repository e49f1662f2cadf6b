#include "platform/input.h"

#include "platform/library.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

const char* const PAD_BUTTON_NAMES[PAD_BUTTONS] = {"a",
                                                   "b",
                                                   "x",
                                                   "y",
                                                   "back",
                                                   "guide",
                                                   "start",
                                                   "leftstick",
                                                   "rightstick",
                                                   "leftshoulder",
                                                   "rightshoulder",
                                                   "dpup",
                                                   "dpdown",
                                                   "dpleft",
                                                   "dpright"};

namespace {

SDL_Joystick* pad = nullptr;
bool padsWatched = false;             // joysticks are not left alone
Uint32 padLook = 0;                   // when the pads were last looked for
constexpr Uint32 PAD_LOOK_MS = 1000;  // and how seldom they are looked for again
Uint8 hatBefore = 0;                  // the d-pad's hat as its last event left it

// A pad whose layout is not known is read as an Xbox pad under Linux numbers its buttons, with
// its first hat as the d-pad and its first two axes as the stick.
PadLayout layoutOfXboxNumbers()
{
    PadLayout xbox{};
    for (int& named : xbox.named)
        named = -1;
    const PadButton order[] = {PadButton::A,
                               PadButton::B,
                               PadButton::X,
                               PadButton::Y,
                               PadButton::LeftShoulder,
                               PadButton::RightShoulder,
                               PadButton::Back,
                               PadButton::Start,
                               PadButton::Guide,
                               PadButton::LeftStick,
                               PadButton::RightStick};
    for (int raw = 0; raw < static_cast<int>(sizeof order / sizeof order[0]); raw++)
        xbox.named[raw] = static_cast<int>(order[raw]);
    const PadButton hat[] = {PadButton::DpadUp, PadButton::DpadRight, PadButton::DpadDown, PadButton::DpadLeft};
    for (int bit = 0; bit < 4; bit++)
        xbox.hat[bit] = static_cast<int>(hat[bit]);
    xbox.stickX = 0;
    xbox.stickY = 1;
    return xbox;
}

PadLayout layout = layoutOfXboxNumbers();  // the open pad's

// The named buttons the hat's bits hold (SDL_HAT_UP 1, RIGHT 2, DOWN 4, LEFT 8).
Uint32 hatNamed(Uint8 hat)
{
    Uint32 named = 0;
    for (int bit = 0; bit < 4; bit++)
        if (hat >> bit & 1 && layout.hat[bit] >= 0)
            named |= 1u << layout.hat[bit];
    return named;
}

// A d-pad that is a hat moves as a whole: its buttons pressed and let go since its last event
// come one after the other.
InputEvent hatPending[4];
int hatPendingCount = 0;

void hatMoved(Uint8 hat)
{
    const Uint32 before = hatNamed(hatBefore), now = hatNamed(hat);
    hatBefore = hat;
    for (int button = 0; button < PAD_BUTTONS && hatPendingCount < 4; button++)
        if ((before ^ now) >> button & 1)
            hatPending[hatPendingCount++] = {now >> button & 1 ? InputKind::ButtonDown : InputKind::ButtonUp, -1,
                                             button};
}

}  // namespace

bool inputWindowKey(int key, int modifiers)
{
    return key == SDLK_LALT || key == SDLK_RALT || (key == SDLK_RETURN && (modifiers & KMOD_ALT));
}

bool inputNext(InputEvent* next)
{
    // A page that lost the keyboard, or was hidden, says so only when asked.
    if (inputPageLeft()) {
        *next = {InputKind::FocusLost, 0, -1};
        return true;
    }
    if (pad && inputPadPulled()) {
        SDL_JoystickClose(pad);
        pad = nullptr;
        hatBefore = 0;
        hatPendingCount = 0;
        *next = {InputKind::PadPulled, 0, -1};
        return true;
    }
    if (hatPendingCount > 0) {
        *next = hatPending[0];
        for (int i = 1; i < hatPendingCount; i++)
            hatPending[i - 1] = hatPending[i];
        hatPendingCount--;
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT))
                break;
            *next = {event.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp, event.key.keysym.sym, -1};
            return true;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP: {
            const int raw = event.jbutton.button;
            *next = {event.type == SDL_JOYBUTTONDOWN ? InputKind::ButtonDown : InputKind::ButtonUp, raw,
                     raw < PAD_RAW_BUTTONS ? layout.named[raw] : -1};
            return true;
        }
        case SDL_JOYHATMOTION:
            // The d-pad, when it is a hat rather than buttons, presses and lets go of its own.
            if (event.jhat.hat == 0)
                hatMoved(event.jhat.value);
            if (hatPendingCount > 0)
                return inputNext(next);
            break;
        case SDL_JOYAXISMOTION: *next = {InputKind::PadMoved, 0, -1}; return true;
        case SDL_MOUSEBUTTONDOWN: *next = {InputKind::Click, 0, -1}; return true;
        case SDL_ACTIVEEVENT:
            // A window that loses the keyboard, or is hidden or minimised.
            if (!event.active.gain && (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE))) {
                *next = {InputKind::FocusLost, 0, -1};
                return true;
            }
            break;
        case SDL_QUIT: *next = {InputKind::WindowClosed, 0, -1}; return true;
        default: break;
        }
    }
    return false;
}

PadState inputPad(bool fresh)
{
    PadState state{0, 0, 0, 0};
    // The classic SDL 1.2 reads joysticks it never started (-nojoystick) through a null list.
    if (!pad || !SDL_WasInit(SDL_INIT_JOYSTICK))
        return state;
    if (fresh)
        SDL_JoystickUpdate();
    state.x = SDL_JoystickGetAxis(pad, layout.stickX);
    state.y = SDL_JoystickGetAxis(pad, layout.stickY);
    state.named = hatNamed(SDL_JoystickNumHats(pad) > 0 ? SDL_JoystickGetHat(pad, 0) : 0);
    for (int button = 0; button < SDL_JoystickNumButtons(pad) && button < PAD_RAW_BUTTONS; button++) {
        if (!SDL_JoystickGetButton(pad, button))
            continue;
        state.buttons |= 1u << button;
        if (layout.named[button] >= 0)
            state.named |= 1u << layout.named[button];
    }
    return state;
}

namespace {

constexpr int NAMED_KEYS = 512;  // SDL 1.2's keys all lie below; a browser's others go unnamed
const char* keyNames[NAMED_KEYS];

void keyNamesRead()
{
    static bool read = false;
    if (read)
        return;
    read = true;
    const bool start = libraryClassic() && !SDL_WasInit(SDL_INIT_VIDEO);
    const char* asked = getenv("SDL_VIDEODRIVER");
    const std::string driver = asked ? asked : "";
    if (start)
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    const bool started = start && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    for (int key = 1; key < NAMED_KEYS && key < SDLK_LAST; key++) {
        const char* name = SDL_GetKeyName(static_cast<SDLKey>(key));
        keyNames[key] = name && *name && strcmp(name, "unknown key") != 0 ? name : nullptr;
    }
    keyNames[SDLK_SEMICOLON] = ";";
    if (started)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (start && asked)
        setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
    else if (start)
        unsetenv("SDL_VIDEODRIVER");
}

}  // namespace

const char* inputKeyName(int key)
{
    keyNamesRead();
    const char* name = key > 0 && key < NAMED_KEYS ? keyNames[key] : nullptr;
    return name ? name : inputKeyNameOwn(key);
}

int inputKeyNamed(const char* name)
{
    // A page numbers its keys up to 1024 and beyond (the scan codes of SDL 2), and names them
    // itself.
    constexpr int KEYS_NUMBERED = 2048;
    for (int key = 1; key < KEYS_NUMBERED; key++) {
        const char* named = inputKeyName(key);
        if (named && strcasecmp(named, name) == 0)
            return key;
    }
    return SDLK_UNKNOWN;
}

void inputJoystickOpen()
{
    // The first joystick found, read through its events like the keyboard.
    padsWatched = true;
    padLook = SDL_GetTicks();
    if (SDL_NumJoysticks() > 0 && (pad = SDL_JoystickOpen(0)) != nullptr) {
        SDL_JoystickEventState(SDL_ENABLE);
        inputPadOpened();
        if (!inputPadLayout(&layout))
            layout = layoutOfXboxNumbers();
        hatBefore = SDL_JoystickNumHats(pad) > 0 ? SDL_JoystickGetHat(pad, 0) : 0;
    }
}

void inputJoystickLookAgain()
{
    if (pad || !padsWatched || SDL_GetTicks() - padLook < PAD_LOOK_MS)
        return;
    inputPadsListAgain();
    inputJoystickOpen();
}
