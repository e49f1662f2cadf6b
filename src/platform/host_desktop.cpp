#include "platform/host.h"

#include "platform/input.h"
#include "platform/present.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Xlib calls this when the connection breaks and ends the program when it returns; the exit
// handlers would then shut SDL down over the dead connection and never finish.
int displayLost(Display* display)
{
    fprintf(stderr, "lost the connection to display %s\n", DisplayString(display));
    _exit(1);
}

}  // namespace

void hostStandardStreamsOpen()
{
    for (int stream = 0; stream <= 2; stream++)
        if (fcntl(stream, F_GETFD) < 0 && errno == EBADF)
            open("/dev/null", O_RDWR);  // takes the lowest free number: this one
}

void hostDisplayLossWatch()
{
    XSetIOErrorHandler(displayLost);
}

void hostFrameShow(SDL_Surface* screen)
{
    presentSwitchWhenAsked(screen);
    SDL_Flip(screen);
}

void hostInPlay(bool /*playing*/)
{
    // A window has no controls of its own around the game.
}

void hostWait(Uint32 milliseconds)
{
    SDL_Delay(milliseconds);
}

bool hostLeft()
{
    return false;
}

bool hostPressQueued()
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

double hostSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

void hostWaitSeconds(double seconds)
{
    if (seconds <= 0)
        return;
    timespec wait{static_cast<time_t>(seconds), static_cast<long>((seconds - static_cast<time_t>(seconds)) * 1e9)};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

SDL_RWops* hostDecoderStream(FILE* checked, const char* /*file*/)
{
    // The very file that was checked, so that nothing can take its place in between.
    rewind(checked);
    SDL_RWops* stream = SDL_RWFromFP(checked, 1);
    if (!stream)
        fclose(checked);
    return stream;
}

bool hostKeyHeld(int key)
{
    return key > 0 && key < SDLK_LAST && SDL_GetKeyState(nullptr)[key];
}

namespace {

// sdl12-compat runs over SDL2, loaded already: its own joystick calls see pads come and go.
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
    void* sdl2 = presentClassicSdl() ? nullptr : dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (!sdl2)
        return pads;
    pads.count = reinterpret_cast<int (*)()>(dlsym(sdl2, "SDL_NumJoysticks"));
    pads.deviceId = reinterpret_cast<int (*)(int)>(dlsym(sdl2, "SDL_JoystickGetDeviceInstanceID"));
    pads.fromId = reinterpret_cast<void* (*)(int)>(dlsym(sdl2, "SDL_JoystickFromInstanceID"));
    pads.attached = reinterpret_cast<SDL_bool (*)(void*)>(dlsym(sdl2, "SDL_JoystickGetAttached"));
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

void hostPadsListAgain()
{
    const Sdl2Pads& pads = sdl2Pads();
    if (pads.found && pads.count() <= 0)
        return;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
}

void hostPadOpened()
{
    const Sdl2Pads& pads = sdl2Pads();
    openedPad = pads.found && pads.count() > 0 ? pads.deviceId(0) : -1;
}

bool hostPadPulled()
{
    const Sdl2Pads& pads = sdl2Pads();
    if (!pads.found || openedPad < 0)
        return false;
    void* pad = pads.fromId(openedPad);
    return !pad || !pads.attached(pad);
}
