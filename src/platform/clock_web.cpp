// The game's loops block, so ASYNCIFY lets them hand the page its turn wherever they wait.
#include "platform/clock.h"

#include <emscripten.h>

void clockWait(Uint32 milliseconds)
{
    emscripten_sleep(milliseconds);
}

double clockSeconds()
{
    return emscripten_get_now() / 1000;
}

void clockWaitSeconds(double seconds)
{
    if (seconds > 0)
        emscripten_sleep(static_cast<unsigned>(seconds * 1000));
}
