#include "platform/input.h"

#include "platform/library.h"

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

void inputInPlay(bool /*playing*/)
{
    // A window has no controls of its own around the game.
}

bool inputPageLeft()
{
    return false;
}

namespace {

// SDL2's own joystick calls, underneath sdl12-compat, see pads come and go.
struct Sdl2Pads {
    int (*count)() = nullptr;
    int (*deviceId)(int) = nullptr;
    void* (*fromId)(int) = nullptr;
    SDL_bool (*attached)(void*) = nullptr;
    bool found = false;
};

Sdl2Pads sdl2PadsFind()
{
    Sdl2Pads pads;
    pads.count = reinterpret_cast<int (*)()>(librarySdl2("SDL_NumJoysticks"));
    pads.deviceId = reinterpret_cast<int (*)(int)>(librarySdl2("SDL_JoystickGetDeviceInstanceID"));
    pads.fromId = reinterpret_cast<void* (*)(int)>(librarySdl2("SDL_JoystickFromInstanceID"));
    pads.attached = reinterpret_cast<SDL_bool (*)(void*)>(librarySdl2("SDL_JoystickGetAttached"));
    pads.found = pads.count && pads.deviceId && pads.fromId && pads.attached;
    return pads;
}

// Looked up the first time a pad is asked after, SDL being started by then.
const Sdl2Pads& sdl2Pads()
{
    static const Sdl2Pads pads = sdl2PadsFind();
    return pads;
}

int openedPad = -1;  // SDL2's number for the pad read, or none

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
    const Sdl2Pads& pads = sdl2Pads();
    openedPad = pads.found && pads.count() > 0 ? pads.deviceId(0) : -1;
}

bool inputPadPulled()
{
    const Sdl2Pads& pads = sdl2Pads();
    if (!pads.found || openedPad < 0)
        return false;
    void* pad = pads.fromId(openedPad);
    return !pad || !pads.attached(pad);
}
