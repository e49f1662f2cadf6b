#include "platform/pictures.h"

SDL_Surface* pictureScreenCopy(SDL_Surface* decoded)
{
    return SDL_DisplayFormat(decoded);
}

int pictureSeeThrough(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue)
{
    // Run-length encoded, a keyed picture draws its see-through runs for free.
    return SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(picture->format, red, green, blue));
}
