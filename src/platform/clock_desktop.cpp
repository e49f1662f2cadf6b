#include "platform/clock.h"

#include <cerrno>
#include <ctime>

void clockWait(Uint32 milliseconds)
{
    SDL_Delay(milliseconds);
}

double clockSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

void clockWaitSeconds(double seconds)
{
    if (seconds <= 0)
        return;
    timespec wait{static_cast<time_t>(seconds), static_cast<long>((seconds - static_cast<time_t>(seconds)) * 1e9)};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) { }
}
