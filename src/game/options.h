// The command line: which display mode the player asks for.
#pragma once

#include <SDL.h>

constexpr Uint32 DEFAULT_VIDEO_FLAGS = SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_HWSURFACE;

struct VideoRequest {
    int width;
    int height;
    int bitsPerPixel;
    Uint32 flags;
};

// Applies "-fullscreen", "-window", "-double", "-single" and "-bpp N" from left to right;
// anything else is ignored. argv[0] is the program's own name.
VideoRequest optionsParse(int argc, char** argv);
