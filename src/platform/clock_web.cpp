// The game's loops block, so ASYNCIFY lets them hand the page its turn wherever they wait.
#include "platform/clock.h"

#include <emscripten.h>

namespace {

// clang-format off
// Tells the page that the game waits between its looks at the player: it does so only once
// everything is loaded, and the page does then what can wait for that (index.html's gameWaits).
EM_JS(void, pageGameWaits, (), {
    if (Module.gameWaits) Module.gameWaits();
});
// clang-format on

}  // namespace

void clockWait(Uint32 milliseconds)
{
    pageGameWaits();
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
