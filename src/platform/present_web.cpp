// In a browser every frame is shown at the page's next animation frame (hostFrameShow waits
// for it), which is the display's own refresh: there is nothing to choose and nothing to pace.
#include "platform/present.h"

const char* presentRenderDriver(Presentation, const PresentFacts&)
{
    return nullptr;
}

bool presentClassicSdl()
{
    return false;  // emscripten's own SDL 1.2
}

void presentSetUp(Presentation, bool) { }

// The page has its own full screen, the F key and its button (touch.js).
void presentScreenOpened(SDL_Surface*) { }

void presentSwitchWhenAsked(SDL_Surface*) { }

const char* presentPath()
{
    return "browser";
}

double presentRefreshSeconds()
{
    return 1 / 60.0;
}

void presentPace() { }
