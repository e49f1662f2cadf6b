#include "platform/input.h"

#include "platform/library.h"

#include <cstring>

bool inputPressQueued()
{
    constexpr Uint32 PRESSES = SDL_KEYDOWNMASK | SDL_QUITMASK | SDL_JOYBUTTONDOWNMASK | SDL_MOUSEBUTTONDOWNMASK;
    SDL_Event waiting[16];
    SDL_PumpEvents();
    const int queued = SDL_PeepEvents(waiting, 16, SDL_PEEKEVENT, PRESSES);
    for (int i = 0; i < queued; i++)
        if (waiting[i].type != SDL_KEYDOWN || !inputWindowKey(waiting[i].key.keysym.sym, waiting[i].key.keysym.mod))
            return true;
    return false;
}

bool inputKeyHeld(int key)
{
    return key > 0 && key < SDLK_LAST && SDL_GetKeyState(nullptr)[key];
}

const char* inputKeyNameOwn(int /*key*/)
{
    return nullptr;
}

void inputInPlay(bool /*playing*/)
{
    // A window has no controls of its own around the game.
}

bool inputPageLeft()
{
    return false;
}

namespace {

// SDL2's own calls, underneath sdl12-compat: its joysticks see pads come and go, and its game
// controllers know where each known pad has its buttons.
struct Sdl2Bind {
    int type;  // none 0, a button 1, an axis 2, a hat 3
    union {
        int button;
        int axis;
        struct {
            int hat;
            int mask;
        } hat;
    } value;
};

struct Sdl2Pads {
    int (*count)() = nullptr;
    const char* (*name)(int) = nullptr;
    int (*deviceId)(int) = nullptr;
    void* (*fromId)(int) = nullptr;
    SDL_bool (*attached)(void*) = nullptr;
    SDL_bool (*isController)(int) = nullptr;
    void* (*controllerOpen)(int) = nullptr;
    void (*controllerClose)(void*) = nullptr;
    Sdl2Bind (*buttonBind)(void*, int) = nullptr;
    Sdl2Bind (*axisBind)(void*, int) = nullptr;
    bool found = false;
    bool layouts = false;
};

template <typename Function> void look(Function*& function, const char* name)
{
    function = reinterpret_cast<Function*>(librarySdl2(name));
}

Sdl2Pads sdl2PadsFind()
{
    Sdl2Pads pads;
    look(pads.count, "SDL_NumJoysticks");
    look(pads.name, "SDL_JoystickNameForIndex");
    look(pads.deviceId, "SDL_JoystickGetDeviceInstanceID");
    look(pads.fromId, "SDL_JoystickFromInstanceID");
    look(pads.attached, "SDL_JoystickGetAttached");
    look(pads.isController, "SDL_IsGameController");
    look(pads.controllerOpen, "SDL_GameControllerOpen");
    look(pads.controllerClose, "SDL_GameControllerClose");
    look(pads.buttonBind, "SDL_GameControllerGetBindForButton");
    look(pads.axisBind, "SDL_GameControllerGetBindForAxis");
    pads.found = pads.count && pads.name && pads.deviceId && pads.fromId && pads.attached;
    pads.layouts = pads.found && pads.isController && pads.controllerOpen && pads.controllerClose && pads.buttonBind &&
        pads.axisBind;
    return pads;
}

// Looked up the first time a pad is asked after, SDL being started by then.
const Sdl2Pads& sdl2Pads()
{
    static const Sdl2Pads pads = sdl2PadsFind();
    return pads;
}

int openedDevice = -1;  // SDL2's index of the pad read, or none
int openedPad = -1;     // and its number for as long as it is plugged in

}  // namespace

void inputPadsListAgain()
{
    const Sdl2Pads& pads = sdl2Pads();
    if (pads.found && pads.count() <= 0)
        return;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
}

void inputPadOpened()
{
    // sdl12-compat's first joystick is SDL2's of the same name: its own first, unless SDL2
    // lists another pad first.
    const Sdl2Pads& pads = sdl2Pads();
    openedDevice = openedPad = -1;
    const char* opened = SDL_JoystickName(0);
    for (int device = 0; pads.found && opened && device < pads.count() && openedDevice < 0; device++) {
        const char* name = pads.name(device);
        if (name && strcmp(name, opened) == 0)
            openedDevice = device;
    }
    if (openedDevice >= 0)
        openedPad = pads.deviceId(openedDevice);
}

bool inputPadPulled()
{
    const Sdl2Pads& pads = sdl2Pads();
    if (!pads.found || openedPad < 0)
        return false;
    void* pad = pads.fromId(openedPad);
    return !pad || !pads.attached(pad);
}

bool inputPadLayout(PadLayout* layout)
{
    const Sdl2Pads& pads = sdl2Pads();
    if (!pads.layouts || openedDevice < 0 || !pads.isController(openedDevice))
        return false;
    void* controller = pads.controllerOpen(openedDevice);
    if (!controller)
        return false;
    for (int& named : layout->named)
        named = -1;
    for (int& named : layout->hat)
        named = -1;
    for (int button = 0; button < PAD_BUTTONS; button++) {
        const Sdl2Bind bind = pads.buttonBind(controller, button);
        if (bind.type == 1 && bind.value.button >= 0 && bind.value.button < PAD_RAW_BUTTONS)
            layout->named[bind.value.button] = button;
        for (int bit = 0; bit < 4; bit++)
            if (bind.type == 3 && bind.value.hat.hat == 0 && bind.value.hat.mask == 1 << bit)
                layout->hat[bit] = button;
    }
    const Sdl2Bind x = pads.axisBind(controller, 0), y = pads.axisBind(controller, 1);
    layout->stickX = x.type == 2 ? x.value.axis : 0;
    layout->stickY = y.type == 2 ? y.value.axis : 1;
    pads.controllerClose(controller);
    return true;
}
