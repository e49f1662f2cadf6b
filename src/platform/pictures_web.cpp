// In a browser every SDL surface is a canvas of 32-bit pixels with an alpha channel, and
// drawing one is the canvas's own drawImage, which knows no colour key.
#include "platform/pictures.h"

#include "platform/screen.h"

#include <emscripten.h>

#include <cstring>

namespace {

// clang-format off
// Holds the picture as locked when its pixels already agree with its canvas (emscripten's SDL
// keeps the canvas's pixels once it has read them back, and web/pictures.js keeps them as it
// reads a picture): 1 then, else 0.
EM_JS(int, picturePixelsHold, (SDL_Surface* picture), {
    const surface = SDL.surfaces[picture];
    if (!surface.image || surface.locked) return 0;
    surface.locked = 1;
    return 1;
});
// clang-format on

}  // namespace

SDL_Surface* pictureScreenCopy(SDL_Surface* decoded, bool)
{
    // A decoded picture is already in the screen's own format, 32 bits with alpha, and a
    // picture with no see-through pixel stays opaque in it: emscripten's SDL_DisplayFormatAlpha
    // would only copy its canvas into a new one. The decoded picture is kept instead, held once
    // more so that freeing it as decoded leaves it, which spares start-up a canvas and a copy
    // for each of its pictures.
    decoded->refcount++;
    return decoded;
}

int pictureSeeThrough(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue)
{
    // emscripten's SDL_SetColorKey does nothing, so the key colour becomes alpha here, once:
    // every pixel of exactly that colour is made fully transparent. A picture just read holds
    // its pixels as its canvas does, and is keyed without reading them back.
    if (!picturePixelsHold(picture) && SDL_LockSurface(picture) < 0)
        return -1;
    const Uint32 alpha = picture->format->Amask;
    const Uint32 key = SDL_MapRGB(picture->format, red, green, blue) & ~alpha;
    for (int y = 0; y < picture->h; y++) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch);
        for (int x = 0; x < picture->w; x++)
            if ((row[x] & ~alpha) == key)
                row[x] &= ~alpha;
    }
    SDL_UnlockSurface(picture);
    return 0;
}

// emscripten's SDL draws into any surface but the screen with the canvas's own drawImage,
// then copies that surface's whole canvas back to memory, and says so on the page; the screen
// has 32 bits a pixel here. So a picture is put together on the screen, before it is shown,
// and its pixels go across by hand, both surfaces of 32 bits in the same order.
SDL_Surface* pictureCanvasOpen()
{
    return screenSurface;
}

void pictureCanvasKeep(SDL_Surface* canvas, SDL_Surface* copy)
{
    if (SDL_LockSurface(canvas) < 0)
        return;
    if (SDL_LockSurface(copy) == 0) {
        for (int y = 0; y < copy->h && y < canvas->h; y++)
            memcpy(static_cast<Uint8*>(copy->pixels) + y * copy->pitch,
                   static_cast<const Uint8*>(canvas->pixels) + y * canvas->pitch,
                   4 * static_cast<std::size_t>(copy->w < canvas->w ? copy->w : canvas->w));
        SDL_UnlockSurface(copy);
    }
    SDL_UnlockSurface(canvas);
}
