// The game in a browser page, built with emscripten: its loops block, so ASYNCIFY lets them
// hand the page its turn wherever they show a frame or wait.
#include "platform/host.h"

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
// Resolves at the page's next animation frame: the browser shows the canvas as drawn, and
// queued keys and clicks reach SDL's event queue.
EM_ASYNC_JS(void, nextAnimationFrame, (), {
    await new Promise(function(resolve) { requestAnimationFrame(function() { resolve(); }); });
});

// 1 when the canvas lost the keyboard, or the page was hidden, since the last look. A hidden
// page has no animation frames: the game would stand still and then leap.
EM_JS(int, pageLeft, (), {
    if (Module.pageLeft === undefined) {
        const leave = function() { Module.pageLeft = 1; };
        Module.canvas.addEventListener("blur", leave);
        document.addEventListener("visibilitychange", function() { if (document.hidden) leave(); });
    }
    const left = Module.pageLeft || 0;
    Module.pageLeft = 0;
    return left;
});
// Whether the browser's events that emscripten's SDL keeps for its queue hold one of the
// given types. Its SDL_PeepEvents only takes events out, and refuses to peek at them.
EM_JS(int, pageEventQueued, (int a, int b, int c, int d), {
    return SDL.events.some(function(event) {
        const type = SDL.DOMEventToSDLEvent[event.type];
        return type === a || type === b || type === c || type === d;
    });
});
// Tells the page that the game waits: it does only once everything is loaded, and the page
// does then what can wait for that (web/index.html's gameWaits).
EM_JS(void, pageGameWaits, (), {
    if (Module.gameWaits) Module.gameWaits();
});
// The page's touch controls differ between the title screen and play.
EM_JS(void, pageScreenTell, (int playing), {
    document.documentElement.dataset.screen = playing ? "play" : "title";
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

void hostStandardStreamsOpen()
{
    // The page's console is standard output and error; there is no standard input.
}

void hostDisplayLossWatch()
{
    // The page is the display: it cannot go away while the game runs.
}

void hostFrameShow(SDL_Surface* screen)
{
    SDL_Flip(screen);
    nextAnimationFrame();
}

bool hostLeft()
{
    return pageLeft();
}

void hostInPlay(bool playing)
{
    pageScreenTell(playing);
}

void hostWait(Uint32 milliseconds)
{
    pageGameWaits();
    emscripten_sleep(milliseconds);
}

bool hostPressQueued()
{
    return pageEventQueued(SDL_KEYDOWN, SDL_QUIT, SDL_JOYBUTTONDOWN, SDL_MOUSEBUTTONDOWN);
}

double hostSeconds()
{
    return emscripten_get_now() / 1000;
}

void hostWaitSeconds(double seconds)
{
    if (seconds > 0)
        emscripten_sleep(static_cast<unsigned>(seconds * 1000));
}

SDL_RWops* hostDecoderStream(FILE* checked, const char* file)
{
    // emscripten's SDL reads only files it is given by name: the packed files never change,
    // so the name leads to the file that was checked.
    fclose(checked);
    // Its streams are numbers, the length of its table when made, and freeing the last one
    // empties the table: the next would be 0, which reads as none. One stream made first and
    // never freed keeps every later number above it.
    static SDL_RWops* const first = SDL_RWFromFile("/", "rb");
    (void)first;
    SDL_SetError("%s cannot be decoded", file);
    snprintf(decoding, sizeof decoding, "%s", file);
    reasonBefore = stbi_failure_reason();
    return SDL_RWFromFile(file, "rb");
}

bool hostKeyHeld(int key)
{
    constexpr int LATER = 1 << 30, TABLE = 0x10000;
    const int slot = key & LATER ? (key & 0x3ff) | 0x400 : key;
    return slot > 0 && slot < TABLE && SDL_GetKeyboardState(nullptr)[slot];
}

void hostPadsListAgain() {}

void hostPadOpened() {}

bool hostPadPulled()
{
    // emscripten's SDL reads the first of the browser's pads, and keeps its last state once
    // it is gone.
    return EM_ASM_INT({
        const pads = navigator.getGamepads ? navigator.getGamepads() : [];
        return pads.length && pads[0] && pads[0].connected ? 0 : 1;
    });
}
