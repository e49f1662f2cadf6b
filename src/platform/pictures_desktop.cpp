#include "platform/pictures.h"

#include "platform/screen.h"

SDL_Surface* pictureScreenCopy(SDL_Surface* decoded, bool alpha)
{
    if (!alpha)
        return SDL_DisplayFormat(decoded);
    // Blended by its own alpha wherever it is drawn, whatever the decoder marked.
    SDL_Surface* copy = SDL_DisplayFormatAlpha(decoded);
    if (copy && SDL_SetAlpha(copy, SDL_SRCALPHA, SDL_ALPHA_OPAQUE) < 0) {
        SDL_FreeSurface(copy);
        return nullptr;
    }
    return copy;
}

int pictureSeeThrough(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue)
{
    // Run-length encoded, a keyed picture draws its see-through runs for free.
    return SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(picture->format, red, green, blue));
}

SDL_Surface* pictureCanvasOpen()
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, screenSurface->w, screenSurface->h, 32, 0xff0000, 0xff00, 0xff, 0);
}

void pictureCanvasKeep(SDL_Surface* canvas, SDL_Surface* copy)
{
    SDL_BlitSurface(canvas, nullptr, copy, nullptr);
    SDL_FreeSurface(canvas);
}
