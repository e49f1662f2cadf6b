#include "platform/screenshot.h"

#include "platform/startup.h"

#include <SDL.h>

void screenshotSave()
{
    // A file that cannot be opened means no screenshot; the game goes on.
    SDL_RWops* stream = SDL_RWFromFile("screenshot.bmp", "wb");
    if (stream)
        SDL_SaveBMP_RW(screenSurface, stream, 1);
}
