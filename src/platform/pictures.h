// The one recipe by which every picture of the game is read and prepared for fast drawing,
// for single pictures and for the numbered sets of 64 frames.
#pragma once

#include "platform/frames.h"

#include <SDL.h>

#include <array>
#include <initializer_list>

using SpriteFrames = std::array<SDL_Surface*, SPRITE_FRAME_COUNT>;

// How a picture is prepared after it is decoded.
enum class PictureKey {
    Raw,      // kept as decoded: drawn rarely, no conversion
    Opaque,   // converted to the screen's format, no transparent colour
    Magenta,  // converted, magenta (255, 0, 255) transparent
    Black,    // converted, black (0, 0, 0) transparent
};

// The loader's own words for each step that can fail. Each takes the library's error text
// for its %s; the messages of a numbered set take the file number for a %d before it.
// A step that cannot fail for this picture, or whose failure the game lets pass, has none.
struct PictureMessages {
    const char* load;
    const char* format;
    const char* colorKey;
};

// Every picture the game reads, by what it shows. Start-up loads the screen's own (the icon,
// the title, the background, the digits and the plates), each kind of entity its sprites.
enum class Picture {
    Icon,
    Intro,
    Loading,
    Ready,
    Background,
    Numbers,
    Paused,
    DemoPlate,
    SmallShip,
    Bullet,
    ShipFrames,  // the sets of SPRITE_FRAME_COUNT frames, file name patterns with a %04d
    EnemyFrames,
    MissileFrames,
    ShrapnelFrames,
};
constexpr int PICTURE_COUNT = static_cast<int>(Picture::ShrapnelFrames) + 1;

// A picture's file ("progdir:" paths allowed), how it is prepared, and the game's words for
// its failures, as the game has always printed them.
struct PictureFile {
    const char* path;
    PictureKey key;
    PictureMessages messages;
};
extern const PictureFile PICTURES[PICTURE_COUNT];

// Reads one picture of the table, or one set of frames; or several pictures into their
// places, in turn, stopping at the first failure with false.
SDL_Surface* pictureLoad(Picture picture);
struct PictureInto {
    Picture picture;
    SDL_Surface** into;
};
bool picturesLoad(std::initializer_list<PictureInto> pictures);
int spriteFramesLoad(Picture set, SpriteFrames& frames);

// Reads one picture ("progdir:" paths allowed) and prepares it; on failure prints the
// matching message and gives none. number is the file number for a set's messages, 0 else.
// Only a PNG is read, of at most 4096 pixels a side, or 256 for a frame of a set; the load
// message of a file that is not tells why ("not a PNG picture", "picture too large: W x H").
SDL_Surface* pictureLoad(const char* path, PictureKey key, const PictureMessages& messages, int number = 0);

// Reads the 64 files of a set, numbered 0001 to 0064 in the pattern, into frames. Stops at
// the first failure with -1; the frames read before it stay loaded.
int spriteFramesLoad(const char* pattern, SpriteFrames& frames, PictureKey key, const PictureMessages& messages);

// The two steps of the recipe that the desktop (pictures_desktop.cpp) and the browser
// (pictures_web.cpp) take their own way. A copy of the decoded picture in the screen's
// format, or none after setting why:
SDL_Surface* pictureScreenCopy(SDL_Surface* decoded);
// The colour whose pixels are see-through when the picture is drawn; -1 after setting why.
int pictureSeeThrough(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue);
