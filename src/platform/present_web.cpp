// In a browser every frame is shown at the page's next animation frame (presentFrame waits
// for it), which is the display's own refresh: there is nothing to choose and nothing to pace.
#include "platform/present.h"

#include <emscripten.h>

namespace {

// clang-format off
// Resolves at the page's next animation frame: the browser shows the canvas as drawn, and
// queued keys and clicks reach SDL's event queue.
EM_ASYNC_JS(void, nextAnimationFrame, (), {
    await new Promise(function(resolve) { requestAnimationFrame(function() { resolve(); }); });
});
// clang-format on

}  // namespace

const char* presentRenderDriver(Presentation, const PresentFacts&)
{
    return nullptr;
}

void presentSetUp(Presentation, bool) { }

// The page has its own full screen, the F key and its button (touch.js).
void presentScreenOpened(SDL_Surface*) { }

void presentFrame(SDL_Surface* screen)
{
    SDL_Flip(screen);
    nextAnimationFrame();
}

const char* presentPath()
{
    return "browser";
}

double presentRefreshSeconds()
{
    return 1 / 60.0;
}

double presentPaceLeft()
{
    return 0;
}
