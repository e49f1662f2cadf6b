// In a browser the files are the page's packed pictures, sounds and demos, which never
// change, and emscripten's SDL reads a file only by its name.
#include "platform/files.h"

#include <emscripten.h>

#include <cstdarg>
#include <cstdio>

// The picture decoder emscripten's SDL calls: it keeps the reason for its last failure.
extern "C" const char* stbi_failure_reason();

namespace {

char errorText[512] = "unknown error";
// The file last handed to a decoder, until the game sets another reason, and the decoder's
// reason as it stood then: a new one is this file's.
char decoding[256] = "";
const char* reasonBefore = nullptr;

// clang-format off
// emscripten's files are the page's memory, and a reload starts from the packed ones alone;
// but the page mounts the settings' folder on the browser's storage (IDBFS) and fills it from
// there before the game starts (index.html), when the browser lets it.
EM_JS(int, pageKeepsFiles, (), {
    return Module.filesKept ? 1 : 0;
});
// Copies the kept folder to the browser's storage; a failure there is the console's, and the
// page counts the copies made.
EM_JS(void, pageFilesKeep, (), {
    if (Module.filesKept)
        FS.syncfs(false, function(why) {
            if (why)
                console.warn("the settings were not kept: " + why);
            else
                Module.filesKeptTimes = (Module.filesKeptTimes || 0) + 1;
        });
});
// clang-format on

}  // namespace

// emscripten's SDL keeps no error text (its SDL_SetError does nothing), so the reasons the
// game gives for a file it refuses would read "unknown SDL-emscripten error". These two take
// the place of its pair. Its own calls set no reason when they fail, so a file handed to its
// decoders is named beforehand, with the picture decoder's reason once it gives one.
extern "C" void SDL_SetError(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(errorText, sizeof errorText, format, arguments);
    va_end(arguments);
    decoding[0] = '\0';
}

extern "C" const char* SDL_GetError()
{
    const char* reason = stbi_failure_reason();
    if (decoding[0] && reason && reason[0] && reason != reasonBefore)
        snprintf(errorText, sizeof errorText, "%s cannot be decoded (%s)", decoding, reason);
    return errorText;
}

void filesStandardOpen()
{
    // The page's console is standard output and error; there is no standard input.
}

bool filesOutlastTheGame()
{
    return pageKeepsFiles();
}

void filesKeep()
{
    pageFilesKeep();
}

SDL_RWops* fileDecoderStream(FILE* checked, const char* name)
{
    // The packed files never change, so the name leads to the file that was checked.
    fclose(checked);
    // Its streams are numbers, the length of its table when made, and freeing the last one
    // empties the table: the next would be 0, which reads as none. One stream made first and
    // never freed keeps every later number above it.
    static SDL_RWops* const first = SDL_RWFromFile("/", "rb");
    (void)first;
    SDL_SetError("%s cannot be decoded", name);
    snprintf(decoding, sizeof decoding, "%s", name);
    reasonBefore = stbi_failure_reason();
    return SDL_RWFromFile(name, "rb");
}
