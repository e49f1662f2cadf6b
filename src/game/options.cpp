#include "game/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char USAGE[] = R"(Usage: skarvel [OPTION]...
A 2-D arcade shooter: fly a ship through a wrapping world of 199 enemies.

Options (a later one overrides an earlier one):
  -fullscreen   play full screen (the default)
  -window       play in a 640 x 480 window
  -double       double-buffered display (the default)
  -single       single-buffered display
  -bpp N        ask for N bits per pixel (default 16)
  -h, --help    show this help and end
  --version     show the version and end

Keys:
  Left, Right          turn counter-clockwise, clockwise
  Up, Down             thrust, brake
  Space, right Ctrl    fire bullets
  M, right Shift       fire a pair of missiles
  S                    save the screen to screenshot.bmp
  Escape               leave the game; on the title screen, quit
  Space (title)        start a game

The exit status is 1 when start-up fails (the reason is one line on standard
error) and 0 otherwise.
)";

}  // namespace

bool optionsAnswered(int argc, char** argv)
{
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-h") == 0 || strcmp(argv[i], "--help") == 0) {
            fputs(USAGE, stdout);
            return true;
        }
        if (strcmp(argv[i], "--version") == 0) {
            printf("skarvel %s\n", SKARVEL_VERSION);
            return true;
        }
    }
    return false;
}

VideoRequest optionsParse(int argc, char** argv)
{
    VideoRequest request{640, 480, 16, DEFAULT_VIDEO_FLAGS};
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-fullscreen") == 0)
            request.flags |= SDL_FULLSCREEN;
        else if (strcmp(argv[i], "-window") == 0)
            request.flags &= ~SDL_FULLSCREEN;
        else if (strcmp(argv[i], "-double") == 0)
            request.flags |= SDL_DOUBLEBUF;
        else if (strcmp(argv[i], "-single") == 0)
            request.flags &= ~SDL_DOUBLEBUF;
        else if (strcmp(argv[i], "-bpp") == 0 && i + 1 < argc)  // a trailing -bpp keeps the depth
            request.bitsPerPixel = atoi(argv[++i]);
    }
    return request;
}
