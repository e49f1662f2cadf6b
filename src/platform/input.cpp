#include "platform/input.h"

#include "platform/library.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

namespace {

SDL_Joystick* pad = nullptr;
bool padsWatched = false;             // joysticks are not left alone
Uint32 padLook = 0;                   // when the pads were last looked for
constexpr Uint32 PAD_LOOK_MS = 1000;  // and how seldom they are looked for again

}  // namespace

bool inputWindowKey(int key, int modifiers)
{
    return key == SDLK_LALT || key == SDLK_RALT || (key == SDLK_RETURN && (modifiers & KMOD_ALT));
}

bool inputNext(InputEvent* next)
{
    // A page that lost the keyboard, or was hidden, says so only when asked.
    if (inputPageLeft()) {
        *next = {InputKind::FocusLost, 0};
        return true;
    }
    if (pad && inputPadPulled()) {
        SDL_JoystickClose(pad);
        pad = nullptr;
        *next = {InputKind::PadPulled, 0};
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT))
                break;
            *next = {event.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp, event.key.keysym.sym};
            return true;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            *next = {event.type == SDL_JOYBUTTONDOWN ? InputKind::ButtonDown : InputKind::ButtonUp,
                     event.jbutton.button};
            return true;
        case SDL_JOYAXISMOTION:
        case SDL_JOYHATMOTION: *next = {InputKind::PadMoved, 0}; return true;
        case SDL_MOUSEBUTTONDOWN: *next = {InputKind::Click, 0}; return true;
        case SDL_ACTIVEEVENT:
            // A window that loses the keyboard, or is hidden or minimised.
            if (!event.active.gain && (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE))) {
                *next = {InputKind::FocusLost, 0};
                return true;
            }
            break;
        case SDL_QUIT: *next = {InputKind::WindowClosed, 0}; return true;
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
    state.x = SDL_JoystickGetAxis(pad, 0);
    state.y = SDL_JoystickGetAxis(pad, 1);
    state.hat = SDL_JoystickNumHats(pad) > 0 ? SDL_JoystickGetHat(pad, 0) : 0;
    for (int button = 0; button < SDL_JoystickNumButtons(pad) && button < 32; button++)
        if (SDL_JoystickGetButton(pad, button))
            state.buttons |= 1u << button;
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
    return key > 0 && key < NAMED_KEYS ? keyNames[key] : nullptr;
}

int inputKeyNamed(const char* name)
{
    keyNamesRead();
    for (int key = 1; key < NAMED_KEYS; key++)
        if (keyNames[key] && strcasecmp(keyNames[key], name) == 0)
            return key;
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
    }
}

void inputJoystickLookAgain()
{
    if (pad || !padsWatched || SDL_GetTicks() - padLook < PAD_LOOK_MS)
        return;
    inputPadsListAgain();
    inputJoystickOpen();
}
