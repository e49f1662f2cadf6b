#include "platform/screenshot.h"

#include "platform/startup.h"
#include "platform/wholefile.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr char SCREENSHOT_FILE[] = "screenshot.bmp";

void report(const char* reason)
{
    fprintf(stderr, "failed to save %s: %s\n", SCREENSHOT_FILE, reason);
}

}  // namespace

void screenshotSave()
{
    // Anything but a plain file in its place is left alone: a folder, a device, or a pipe that
    // would hold the game until somebody reads it.
    struct stat existing;
    if (stat(SCREENSHOT_FILE, &existing) == 0 && !S_ISREG(existing.st_mode))
        return report("not a regular file");
    // Written whole or not at all, so a full disk never costs the previous screenshot.
    WholeFile shot;
    if (!wholeFileOpen(&shot, SCREENSHOT_FILE))
        return report(strerror(errno));
    SDL_RWops* stream = SDL_RWFromFP(shot.file, 0);
    const bool written = stream && SDL_SaveBMP_RW(screenSurface, stream, 0) == 0;
    if (stream)
        SDL_RWclose(stream);
    if (!wholeFileFinish(&shot, written))
        report(written ? strerror(errno) : SDL_GetError());
}
