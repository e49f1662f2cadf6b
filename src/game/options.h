// The command line: which display mode the player asks for, and the questions answered
// without starting the game.
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

// "-h" or "--help" anywhere prints the usage (options and keys) on standard output,
// "--version" prints "skarvel VERSION": true when one was answered and the program should
// end there, with status 0.
bool optionsAnswered(int argc, char** argv);
