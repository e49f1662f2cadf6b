#include "platform/pictures.h"

#include "platform/files.h"
#include "platform/progdir.h"
#include "platform/screen.h"

#include <SDL_image.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr Uint32 PICTURE_MAX_SIZE = 4096;  // pixels a side: the world itself is no larger
constexpr Uint32 FRAME_MAX_SIZE = 256;     // for a frame of a numbered set

// Every picture read or copied, for picturesFree: the sets of the kinds and a dozen of the screen's.
std::array<SDL_Surface*, 8 * SPRITE_FRAME_COUNT> loaded{};
std::size_t loadedCount = 0;

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
    return fileDecoderStream(checked, file);
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

// Reads the file of the path, number being the file number of a set's frame (0 for a
// single picture) that its messages take.
SDL_Surface* pictureRead(const char* path, PictureKey key, const PictureMessages& messages, int number)
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
    SDL_Surface* picture = pictureScreenCopy(decoded, key == PictureKey::Alpha);
    SDL_FreeSurface(decoded);
    if (!picture) {
        report(messages.format, number);
        return nullptr;
    }
    if (key == PictureKey::Magenta || key == PictureKey::Black) {
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

SDL_Surface* kept(SDL_Surface* picture)
{
    if (picture && loadedCount < loaded.size())
        loaded[loadedCount++] = picture;
    return picture;
}

}  // namespace

SDL_Surface* pictureLoad(const PictureFile& file)
{
    return kept(pictureRead(file.path, file.key, file.messages, 0));
}

int spriteFramesLoad(const PictureFile& set, SpriteFrames& frames)
{
    for (int index = 0; index < SPRITE_FRAME_COUNT; index++) {
        char path[256];
        snprintf(path, sizeof path, set.path, index + 1);
        frames[index] = kept(pictureRead(path, set.key, set.messages, index + 1));
        if (!frames[index])
            return -1;
    }
    return 0;
}

SDL_Surface* pictureCopy(SDL_Surface* picture)
{
    // A copy of its own, in its format: the page's pictureScreenCopy keeps a decoded picture
    // as it is rather than copy it.
    return kept(SDL_ConvertSurface(picture, picture->format, SDL_SWSURFACE));
}

void picturesFree()
{
    for (std::size_t i = 0; i < loadedCount; i++)
        SDL_FreeSurface(loaded[i]);
    loadedCount = 0;
}
