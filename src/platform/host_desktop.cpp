#include "platform/host.h"

#include "platform/input.h"
#include "platform/present.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <ctime>
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
