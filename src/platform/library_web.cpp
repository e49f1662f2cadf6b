// In a browser the SDL is emscripten's own 1.2, with no SDL 2 beneath it.
#include "platform/library.h"

bool libraryClassic()
{
    return false;
}

void* librarySdl2(const char*)
{
    return nullptr;
}
