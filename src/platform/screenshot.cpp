#include "platform/screenshot.h"

#include "platform/startup.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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

    // Written whole beside it under another name first, and only then put in its place, so
    // a full disk never costs the previous screenshot.
    char part[] = "screenshot.bmp.XXXXXX";
    const int fd = mkstemp(part);
    if (fd < 0)
        return report(strerror(errno));
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    FILE* file = fdopen(fd, "wb");
    SDL_RWops* stream = file ? SDL_RWFromFP(file, 1) : nullptr;
    if (!stream) {
        file ? fclose(file) : close(fd);
        unlink(part);
        return report(file ? SDL_GetError() : strerror(errno));
    }
    const bool written = SDL_SaveBMP_RW(screenSurface, stream, 0) == 0;
    const bool closed = SDL_RWclose(stream) == 0;
    if (!written || !closed || rename(part, SCREENSHOT_FILE) != 0) {
        const int error = errno;
        unlink(part);
        report(written && closed ? strerror(error) : SDL_GetError());
    }
}
