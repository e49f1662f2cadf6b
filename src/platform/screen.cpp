#include "platform/screen.h"

#include "platform/library.h"
#include "platform/present.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

SDL_Surface* screenSurface = nullptr;

namespace {

// SDL falls back on a driver that shows nothing when no display can be reached (sdl12-compat
// on its offscreen or dummy one), or only letters in the terminal (the classic SDL 1.2 on
// caca or aalib, when built with them); a game on it would run unseen. Only a player, or a
// test, who asks for such a driver by name gets it.
bool fallbackDriver(const char* driver)
{
    const char* asked = getenv("SDL_VIDEODRIVER");
    if (asked && *asked && strstr(asked, driver))
        return false;
    for (const char* fallback : {"offscreen", "dummy", "caca", "aalib"})
        if (strcmp(driver, fallback) == 0)
            return true;
    return false;
}

bool displayReal()
{
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (!fallbackDriver(driver))
        return true;
    fprintf(stderr, "failed to find a display: SDL could open only its %s driver\n", driver);
    return false;
}

// The classic SDL 1.2 takes the terminal for a text-mode driver inside SDL_Init itself, so
// without an X display, and no driver asked for, it is not started at all.
bool displayReachable()
{
    const char* asked = getenv("SDL_VIDEODRIVER");
    const char* display = getenv("DISPLAY");
    if (!libraryClassic() || (asked && *asked) || (display && *display))
        return true;
    fprintf(stderr, "failed to find a display: DISPLAY is not set, and SDL would fall back on a text-mode driver\n");
    return false;
}

}  // namespace

int screenStart(Uint32 systems)
{
    if (!displayReachable())
        return -1;
    // Without a session bus (a session of the game alone, as xinit starts it) SDL 2's asking
    // D-Bus after the screen saver and the input method would start a bus of the game's own,
    // twice over, which nothing else listens on and which would outlive the game.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    if (SDL_Init(systems) < 0) {
        fprintf(stderr, "Failed to initialize SDL: %s\n", SDL_GetError());
        return -1;
    }
    atexit(SDL_Quit);
    return displayReal() ? 0 : -1;
}

int screenOpen(int width, int height, int bitsPerPixel, Uint32 flags, SDL_Surface* icon)
{
    // SDL may offer another depth than the one asked for; that is the one we open.
    const int depth = SDL_VideoModeOK(width, height, bitsPerPixel, flags);
    if (depth == 0) {
        fprintf(stderr, "requested video mode not available\n");
        return -1;
    }
    if (icon)
        SDL_WM_SetIcon(icon, nullptr);
    screenSurface = SDL_SetVideoMode(width, height, depth, flags);
    if (!screenSurface) {
        fprintf(stderr, "failed to set video mode: %s\n", SDL_GetError());
        return -1;
    }
    presentScreenOpened(screenSurface);
    return 0;
}
