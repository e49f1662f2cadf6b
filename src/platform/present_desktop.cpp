#include "platform/present.h"

#include "platform/clock.h"
#include "platform/library.h"

#include <SDL.h>

#include <SDL_syswm.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr double FALLBACK_RATE = 60;

const char* path = "opengl";
bool paced = false;
double refresh = 1 / FALLBACK_RATE;
double beat = 0;      // when the display refreshed for the frame before
double nextBeat = 0;  // and when it refreshes for the frame being made, once due
bool due = false;

bool truthy(const char* value)
{
    return value && *value && strcmp(value, "0") != 0 && strcasecmp(value, "false") != 0;
}

// The game's own connection to the X display, opened before SDL opens its own and kept for
// the whole run: an X server that loses its last client resets, recompiling its keymap, and
// SDL's connection would wait the tens of milliseconds that takes (a fresh server, a session
// of nothing but the game, as xinit starts it).
Display* display = nullptr;
bool switchAsked = false;  // Alt+Enter was pressed since the last frame shown

// A short look at the X display before SDL starts: its extensions and the rate of its current
// mode (Xvfb and some servers report 0: no rate to be had).
PresentFacts factsRead(double* rate)
{
    PresentFacts facts{false, false, getenv("LIBGL_ALWAYS_SOFTWARE"), getenv("GALLIUM_DRIVER"),
                       getenv("SDL_RENDER_DRIVER")};
    const char* name = getenv("DISPLAY");
    if (!display && name && *name)
        display = XOpenDisplay(name);
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
    return facts;
}

// Whether a window manager that keeps to the desktop's common rules (it says so on the root
// window) runs on the display: only such a one lays a full-screen window over the screen.
bool windowManaged(Display* on)
{
    const Atom check = XInternAtom(on, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* value = nullptr;
    XGetWindowProperty(on, DefaultRootWindow(on), check, 0, 1, False, XA_WINDOW, &type, &format, &items, &left, &value);
    if (value)
        XFree(value);
    return type == XA_WINDOW && items == 1;
}

// The window's size as the player asked for it: 640 x 480 times -scale.
void windowedSize(const SDL_Surface* screen, int* width, int* height)
{
    const char* asked = getenv("SDL12COMPAT_WINDOW_SCALING");
    const double scale = asked && atof(asked) >= 1 ? atof(asked) : 1;
    *width = static_cast<int>(screen->w * scale);
    *height = static_cast<int>(screen->h * scale);
}

// Puts the window where its mode says. sdl12-compat lets SDL 2 ask the window manager for
// full screen and then draws as if the window covered the screen, whether or not it does:
// without a window manager the window stays 640 x 480 and shows a piece of the stretched
// picture. Leaving full screen, SDL 2 keeps the size it had, and a window made in full screen
// has forgotten -scale. So the game sees to the window's size itself; the classic library's
// full screen is a window of its own that needs no help.
void windowPlace(const SDL_Surface* screen)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (libraryClassic() || SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.window)
        return;
    Display* on = info.info.x11.display;
    const Window window = info.info.x11.window;
    const bool full = screen->flags & SDL_FULLSCREEN;
    const bool managed = windowManaged(on);
    if (full && managed)
        return;
    XWindowAttributes root{}, now{};
    XGetWindowAttributes(on, DefaultRootWindow(on), &root);
    XGetWindowAttributes(on, window, &now);
    int width = root.width, height = root.height;
    if (!full)
        windowedSize(screen, &width, &height);
    if (now.width == width && now.height == height && (managed || !full || (now.x == 0 && now.y == 0)))
        return;
    // SDL 2 holds a window that is not resizable to its one size; the size it takes now
    // becomes that size.
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    if (!full)
        XSetWMNormalHints(on, window, &hints);
    XMoveResizeWindow(on, window, full ? 0 : (root.width - width) / 2, full ? 0 : (root.height - height) / 2, width,
                      height);
    if (full)
        XRaiseWindow(on, window);
    XSync(on, False);
}

// Alt+Enter belongs to the window, as its close button does: it is taken out of the queue
// before the game sees it, and the switch is made before the next frame is shown.
int SDLCALL windowKeys(const SDL_Event* event)
{
    if (event->type != SDL_KEYDOWN || event->key.keysym.sym != SDLK_RETURN || !(event->key.keysym.mod & KMOD_ALT))
        return 1;
    switchAsked = true;
    return 0;
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
    // OpenGL without a graphics processor's driver is Mesa drawing on the processor: dearer
    // than SDL's software renderer for the picture as it is, for a window scaled smoothly or
    // by whole steps, and for full screen alike.
    const bool rasterizer = facts.gallium &&
        (strcmp(facts.gallium, "llvmpipe") == 0 || strcmp(facts.gallium, "softpipe") == 0 ||
         strcmp(facts.gallium, "swr") == 0);
    if (truthy(facts.alwaysSoftware) || rasterizer || (facts.xDisplay && !facts.directRendering))
        return "software";
    return nullptr;
}

void presentSetUp(Presentation asked, bool vsync)
{
    if (libraryClassic()) {
        path = "classic";
        paced = vsync;
        return;
    }
    double rate = 0;
    const PresentFacts facts = factsRead(&rate);
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

double presentPaceLeft()
{
    if (!paced)
        return 0;
    // The refreshes come at a steady beat; a frame that missed one waits for the next, and
    // after a long stop (a pause, the title screen) the beat starts afresh.
    const double now = clockSeconds();
    if (!due) {
        double next = beat + refresh;
        if (next < now - 1)
            next = now;
        while (next < now)
            next += refresh;
        nextBeat = next;
        due = true;
    }
    if (now < nextBeat)
        return nextBeat - now;
    beat = nextBeat;
    due = false;
    return 0;
}

void presentScreenOpened(SDL_Surface* screen)
{
    windowPlace(screen);
    SDL_SetEventFilter(windowKeys);
}

void presentFrame(SDL_Surface* screen)
{
    if (switchAsked && SDL_WM_ToggleFullScreen(screen))
        windowPlace(screen);
    switchAsked = false;
    SDL_Flip(screen);
}
