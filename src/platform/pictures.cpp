#include "platform/pictures.h"

#include "platform/files.h"
#include "platform/host.h"
#include "platform/progdir.h"
#include "platform/startup.h"

#include <SDL_image.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

const PictureFile PICTURES[PICTURE_COUNT] = {
    {"progdir:images/icon.png", PictureKey::Raw, {nullptr, nullptr, nullptr}},  // the window does without
    {"progdir:images/intro.png",
     PictureKey::Opaque,
     {"failed to load intro.bmp: %s\n", "failed to format intro.bmp for display: %s\n", nullptr}},
    {"progdir:images/loading.png", PictureKey::Raw, {"failed to load loading.bmp: %s\n", nullptr, nullptr}},
    {"progdir:images/ready.png", PictureKey::Raw, {"failed to load ready.bmp: %s\n", nullptr, nullptr}},
    {"progdir:images/bg.png",
     PictureKey::Opaque,
     {"failed to load bg.bmp: %s\n", "failed to format background for display: %s\n", nullptr}},
    {"progdir:images/numbers.png",
     PictureKey::Magenta,
     {"failed to load numbers.bmp: %s\n", "failed to format numbers for display: %s\n",
      "failed to set color key for numbers: %s\n"}},
    {"progdir:images/paused.png",
     PictureKey::Magenta,
     {"failed to load paused.png: %s\n", "failed to format paused.png for display: %s\n",
      "failed to set color key for paused.png: %s\n"}},
    {"progdir:images/demo.png",
     PictureKey::Magenta,
     {"failed to load demo.png: %s\n", "failed to format demo.png for display: %s\n",
      "failed to set color key for demo.png: %s\n"}},
    {"progdir:images/smallship.png",
     PictureKey::Magenta,
     {"failed to load small ship: %s\n", "failed to format small ship for display: %s\n",
      "failed to set color key for small ship: %s\n"}},
    {"progdir:images/bullet.png",
     PictureKey::Magenta,
     {"failed to load bullet.bmp: %s\n", "failed to format bullet for display: %s\n",
      "failed to set color key for bullet: %s\n"}},
    {"progdir:images/ship%04d.png",
     PictureKey::Black,
     {"failed to load ship frame %d: %s\n", "failed to format ship frame %d for display: %s\n",
      "failed to set color key for ship frame %d: %s\n"}},
    {"progdir:images/enemy%04d.png",
     PictureKey::Black,
     {"failed to load enemy frame %d: %s\n", "failed to format enemy frame %d for display: %s\n",
      "failed to set color key for enemy frame %d: %s\n"}},
    {"progdir:images/missile%04d.png",
     PictureKey::Black,
     {"failed to load missile frame %d: %s\n", "failed to format missile frame %d for display: %s\n",
      "failed to set color key for missile frame %d: %s\n"}},
    {"progdir:images/shrapnel%04d.png",
     PictureKey::Black,
     {"failed to load shrapnel frame %d: %s\n", "failed to format shrapnel frame %d for display: %s\n",
      "failed to set color key for shrapnel frame %d: %s\n"}},
};

namespace {

constexpr Uint32 PICTURE_MAX_SIZE = 4096;  // pixels a side: the world itself is no larger
constexpr Uint32 FRAME_MAX_SIZE = 256;     // for a frame of a numbered set

// Every picture of the game is a PNG, and a file of a few kilobytes can declare one that
// takes gigabytes and many seconds to decode. So the size the PNG declares is read before
// anything is decoded, from a file that must start as a PNG (the decoder is chosen by
// content, not by name). Gives the stream for the decoder, or none after setting why.
SDL_RWops* pictureOpen(const char* file, Uint32 limit)
{
    const char* why = "";
    FILE* checked = fileOpenToRead(file, &why);
    if (!checked) {
        errno == ENOENT ? SDL_SetError("Couldn't open %s", file) : SDL_SetError("Couldn't open %s: %s", file, why);
        return nullptr;
    }
    static const Uint8 SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    Uint8 head[24];
    if (fread(head, 1, sizeof head, checked) != sizeof head || memcmp(head, SIGNATURE, sizeof SIGNATURE) != 0) {
        SDL_SetError("not a PNG picture");
        fclose(checked);
        return nullptr;
    }
    const auto bigEndian = [](const Uint8* p) { return Uint32(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; };
    const Uint32 w = bigEndian(head + 16), h = bigEndian(head + 20);
    if (w > limit || h > limit) {
        SDL_SetError("picture too large: %u x %u", w, h);
        fclose(checked);
        return nullptr;
    }
    return hostDecoderStream(checked, file);
}

void report(const char* message, int number)
{
    if (!message)
        return;  // a picture the game does without
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
    SDL_RWops* stream = pictureOpen(file, number > 0 ? FRAME_MAX_SIZE : PICTURE_MAX_SIZE);
    SDL_Surface* decoded = stream ? IMG_Load_RW(stream, 1) : nullptr;
    if (!decoded) {
        report(messages.load, number);
        return nullptr;
    }
    if (key == PictureKey::Raw)
        return decoded;

    // Converted once here, so that no blit in play needs a format conversion.
    SDL_Surface* picture = pictureScreenCopy(decoded);
    SDL_FreeSurface(decoded);
    if (!picture) {
        report(messages.format, number);
        return nullptr;
    }
    if (key != PictureKey::Opaque) {
        const Uint8 red = key == PictureKey::Magenta ? 255 : 0;
        const Uint8 blue = red;
        if (pictureSeeThrough(picture, red, 0, blue) < 0) {
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

SDL_Surface* pictureLoad(Picture picture)
{
    const PictureFile& file = PICTURES[static_cast<int>(picture)];
    return pictureLoad(file.path, file.key, file.messages);
}

int spriteFramesLoad(Picture set, SpriteFrames& frames)
{
    const PictureFile& file = PICTURES[static_cast<int>(set)];
    return spriteFramesLoad(file.path, frames, file.key, file.messages);
}

bool picturesLoad(std::initializer_list<PictureInto> pictures)
{
    for (const PictureInto& one : pictures)
        if (!(*one.into = pictureLoad(one.picture)))
            return false;
    return true;
}
