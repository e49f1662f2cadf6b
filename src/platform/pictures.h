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

// A copy of a picture in the screen's format, opaque, freed with the pictures read: to keep
// what was put together (the title with its keys written). None after setting why.
SDL_Surface* pictureCopy(SDL_Surface* picture);

// Frees every picture read so far, for a start from nothing (the benchmark starts the game
// again and again); whatever held one holds a dangling pointer until it reads it again.
void picturesFree();

// The steps that the desktop (pictures_desktop.cpp) and the browser (pictures_web.cpp) take
// their own way. A copy of the decoded picture in the screen's
// format, its alpha kept when asked, or none after setting why:
SDL_Surface* pictureScreenCopy(SDL_Surface* decoded, bool alpha);
// The colour whose pixels are see-through when the picture is drawn; -1 after setting why.
int pictureSeeThrough(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue);
// Where a picture of the screen's size is put together, drawn on by blending, before it is
// kept in a copy (pictureCopy) by pictureCanvasKeep, which lets the canvas go: 32 bits a pixel,
// so that what is blended there is rounded to the screen's colours once, on being kept. None
// after setting why.
SDL_Surface* pictureCanvasOpen();
void pictureCanvasKeep(SDL_Surface* canvas, SDL_Surface* copy);
