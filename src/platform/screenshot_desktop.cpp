#include "platform/screenshot.h"

#include "platform/files.h"
#include "platform/screen.h"

#include <SDL.h>

#include <cstdio>

namespace {

constexpr char SCREENSHOT_FILE[] = "screenshot.bmp";

void report(const char* reason)
{
    fprintf(stderr, "failed to save %s: %s\n", SCREENSHOT_FILE, reason);
}

}  // namespace

void screenshotSave()
{
    // Written whole or not at all, so a full disk never costs the previous screenshot; and
    // anything but a plain file in its place (a folder, a device, a pipe that would hold the
    // game until somebody reads it, a link) is left alone.
    WholeFile shot;
    const char* why = "";
    if (!wholeFileOpen(&shot, SCREENSHOT_FILE, &why))
        return report(why);
    SDL_RWops* stream = SDL_RWFromFP(shot.file, 0);
    const bool written = stream && SDL_SaveBMP_RW(screenSurface, stream, 0) == 0;
    if (stream)
        SDL_RWclose(stream);
    const char* saveError = written ? nullptr : SDL_GetError();
    if (!wholeFileFinish(&shot, written, &why))
        report(saveError ? saveError : why);
}
