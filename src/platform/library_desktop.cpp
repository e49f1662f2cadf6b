#include "platform/library.h"

#include <SDL.h>

#include <dlfcn.h>

bool libraryClassic()
{
    const SDL_version* linked = SDL_Linked_Version();
    return linked->major == 1 && linked->minor == 2 && linked->patch < 50;
}

void* librarySdl2(const char* name)
{
    // sdl12-compat runs over SDL 2, loaded already by the time SDL starts.
    static void* const sdl2 = libraryClassic() ? nullptr : dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
    return sdl2 ? dlsym(sdl2, name) : nullptr;
}
