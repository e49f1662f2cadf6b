#include "platform/pictures.h"

#include "platform/progdir.h"
#include "platform/startup.h"

#include <SDL_image.h>
#include <cstdio>

namespace {

void report(const char* message, int number)
{
    if (number > 0)
        fprintf(stderr, message, number, SDL_GetError());
    else
        fprintf(stderr, message, SDL_GetError());
}

// SDL prepares a picture for the screen (and run-length encodes a keyed one) the first time
// the picture is drawn there, taking memory for it: in the middle of play, the first time a
// craft shows a new heading. A blit that covers no pixel does that work now, at load time.
void meetScreen(SDL_Surface* picture)
{
    if (!screenSurface)
        return;
    SDL_Rect nothing{0, 0, 0, 0};
    SDL_Rect corner{0, 0, 0, 0};
    SDL_LowerBlit(picture, &nothing, screenSurface, &corner);
}

}  // namespace

SDL_Surface* pictureLoad(const char* path, PictureKey key, const PictureMessages& messages, int number)
{
    char file[PROGDIR_PATH_MAX];
    progdirResolve(path, file, sizeof file);
    SDL_Surface* decoded = IMG_Load(file);
    if (!decoded) {
        report(messages.load, number);
        return nullptr;
    }
    if (key == PictureKey::Raw)
        return decoded;

    // Converted once here, so that no blit in play needs a format conversion.
    SDL_Surface* picture = SDL_DisplayFormat(decoded);
    SDL_FreeSurface(decoded);
    if (!picture) {
        report(messages.format, number);
        return nullptr;
    }
    if (key != PictureKey::Opaque) {
        const Uint8 red = key == PictureKey::Magenta ? 255 : 0;
        const Uint8 blue = red;
        if (SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(picture->format, red, 0, blue)) < 0) {
            SDL_FreeSurface(picture);
            report(messages.colorKey, number);
            return nullptr;
        }
    }
    meetScreen(picture);
    return picture;
}

int spriteFramesLoad(const char* pattern, SpriteFrames& frames, PictureKey key, const PictureMessages& messages)
{
    for (int index = 0; index < SPRITE_FRAME_COUNT; index++) {
        char path[256];
        snprintf(path, sizeof path, pattern, index + 1);
        frames[index] = pictureLoad(path, key, messages, index + 1);
        if (!frames[index])
            return -1;
    }
    return 0;
}
