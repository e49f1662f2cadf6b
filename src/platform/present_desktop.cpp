#include "platform/present.h"

#include "platform/host.h"

#include <SDL.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr double FALLBACK_RATE = 60;

const char* path = "opengl";
bool paced = false;
double refresh = 1 / FALLBACK_RATE;
double beat = 0;  // when the display refreshed for the frame before

bool truthy(const char* value)
{
    return value && *value && strcmp(value, "0") != 0 && strcasecmp(value, "false") != 0;
}

// A short look at the X display before SDL opens its own connection: its extensions and the
// rate of its current mode (Xvfb and some servers report 0: no rate to be had).
PresentFacts factsRead(double* rate, bool smoothScaling)
{
    PresentFacts facts{false, false, getenv("LIBGL_ALWAYS_SOFTWARE"), getenv("GALLIUM_DRIVER"),
                       getenv("SDL_RENDER_DRIVER"), smoothScaling};
    const char* name = getenv("DISPLAY");
    Display* display = name && *name ? XOpenDisplay(name) : nullptr;
    if (!display)
        return facts;
    int opcode, event, error;
    facts.xDisplay = true;
    facts.directRendering = XQueryExtension(display, "DRI3", &opcode, &event, &error) ||
        XQueryExtension(display, "DRI2", &opcode, &event, &error);
    if (XQueryExtension(display, "RANDR", &opcode, &event, &error)) {
        if (XRRScreenConfiguration* screen = XRRGetScreenInfo(display, DefaultRootWindow(display))) {
            *rate = XRRConfigCurrentRate(screen);
            XRRFreeScreenConfigInfo(screen);
        }
    }
    XCloseDisplay(display);
    return facts;
}

}  // namespace

const char* presentRenderDriver(Presentation asked, const PresentFacts& facts)
{
    if (asked == Presentation::Software)
        return "software";
    if (asked == Presentation::OpenGL)
        return nullptr;
    if (facts.renderDriver && *facts.renderDriver)
        return facts.renderDriver;
    // OpenGL without a graphics processor's driver is Mesa drawing in software: dearer than
    // SDL's software renderer for a picture shown as it is or stretched by whole steps, but
    // cheaper for a smooth stretch, which Mesa spreads over the cores.
    if (facts.smoothScaling)
        return nullptr;
    const bool rasterizer = facts.gallium && (strcmp(facts.gallium, "llvmpipe") == 0 ||
                                              strcmp(facts.gallium, "softpipe") == 0 || strcmp(facts.gallium, "swr") == 0);
    if (truthy(facts.alwaysSoftware) || rasterizer || (facts.xDisplay && !facts.directRendering))
        return "software";
    return nullptr;
}

bool presentClassicSdl()
{
    const SDL_version* linked = SDL_Linked_Version();
    return linked->major == 1 && linked->minor == 2 && linked->patch < 50;
}

void presentSetUp(Presentation asked, bool vsync, bool smoothScaling)
{
    if (presentClassicSdl()) {
        path = "classic";
        paced = vsync;
        return;
    }
    double rate = 0;
    const PresentFacts facts = factsRead(&rate, smoothScaling);
    refresh = 1 / (rate > 0 ? rate : FALLBACK_RATE);
    const char* driver = presentRenderDriver(asked, facts);
    if (driver)
        setenv("SDL_RENDER_DRIVER", driver, 1);
    else
        unsetenv("SDL_RENDER_DRIVER");
    path = driver ? driver : "opengl";
    // SDL 2 looks for OpenGL to back a window's pixels too, unless told otherwise: the
    // software renderer alone would still load the whole of Mesa.
    if (strcmp(path, "software") == 0)
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "software", 0);
    // SDL's software renderer shows a frame the moment it is drawn.
    paced = vsync && strcmp(path, "software") == 0;
}

const char* presentPath()
{
    return path;
}

double presentRefreshSeconds()
{
    return refresh;
}

void presentPace()
{
    if (!paced)
        return;
    // The refreshes come at a steady beat; a frame that missed one waits for the next, and
    // after a long stop (a pause, the title screen) the beat starts afresh.
    const double now = hostSeconds();
    double next = beat + refresh;
    if (next < now - 1)
        next = now;
    while (next < now)
        next += refresh;
    hostWaitSeconds(next - now);
    beat = next;
}
