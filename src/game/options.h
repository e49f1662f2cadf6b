// The command line: which display mode the player asks for, and the questions answered
// without starting the game.
#pragma once

#include <SDL.h>

#include "game/demo.h"

#include <string>

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

// The choices beyond the video mode. Each one said on the command line beats the player's
// environment, which beats the default.
struct PlayChoices {
    int vsync = -1;         // 1 for -vsync, 0 for -novsync, -1 unsaid: frames wait for the display
    std::string scale;      // the window's scale from -scale N: 1 to 8, whole or with one decimal
    bool sound = true;      // false for -nosound
    bool joystick = true;   // false for -nojoystick
    DemoMode demo = DemoMode::None;  // -record, -playdemo or -timedemo, with the file
    std::string demoFile;
};

// Reads "-vsync", "-novsync", "-scale N", "-nosound", "-nojoystick", "-record FILE",
// "-playdemo FILE" and "-timedemo FILE" from left to right; a scale it cannot use is left out
// with one line on standard error.
PlayChoices optionsChoices(int argc, char** argv);

// Puts the choices in place before SDL starts: the library's settings for waiting on the
// display and scaling the window, and what start-up opens.
void optionsApply(const PlayChoices& choices);

// "-h" or "--help" anywhere prints the usage (options and keys) on standard output,
// "--version" prints "skarvel VERSION": true when one was answered and the program should
// end there, with status 0.
bool optionsAnswered(int argc, char** argv);
