// The one recipe by which every picture of the game is read and prepared for fast drawing,
// for single pictures and for the numbered sets of 64 frames. Which file, how it is prepared
// and the words for its failures are the caller's.
#pragma once

#include "platform/frames.h"
#include "platform/picturefile.h"

#include <SDL.h>

#include <array>

using SpriteFrames = std::array<SDL_Surface*, SPRITE_FRAME_COUNT>;

// Reads one picture and prepares it; on failure prints the matching message and gives none.
// Only a PNG is read, of at most 4096 pixels a side; the load message of a file that is not
// tells why ("not a PNG picture", "picture too large: W x H").
SDL_Surface* pictureLoad(const PictureFile& file);

// Reads the 64 files of a set, numbered 0001 to 0064 in its path, into frames, each of at most
// 256 pixels a side, its messages given the file number. Stops at the first failure with -1;
// the frames read before it stay loaded.
int spriteFramesLoad(const PictureFile& set, SpriteFrames& frames);

// Frees every picture read so far, for a start from nothing (the benchmark starts the game
// again and again); whatever held one holds a dangling pointer until it reads it again.
void picturesFree();

// The steps that the desktop (pictures_desktop.cpp) and the browser (pictures_web.cpp) take
// their own way. A copy of the decoded picture in the screen's
// format, its alpha kept when asked, or none after setting why:
SDL_Surface* pictureScreenCopy(SDL_Surface* decoded, bool alpha);
// The colour whose pixels are see-through when the picture is drawn; -1 after setting why.
int pictureSeeThrough(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue);
