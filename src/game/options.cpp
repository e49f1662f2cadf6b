#include "game/options.h"

#include "platform/startup.h"

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
  -scale N      a window N times as large, N from 1 to 8, whole or with one
                decimal (whole steps keep the pixels sharp)
  -vsync        show each frame in step with the display's refresh (the default)
  -novsync      draw frames as fast as the clock allows
  -nosound      play without sound, opening no audio device
  -nojoystick   leave joysticks and gamepads alone
  -record FILE    record the next game into FILE
  -playdemo FILE  play the game recorded in FILE, in real time
  -timedemo FILE  play it as fast as it goes and print the frame rate and cost
  -h, --help    show this help and end
  --version     show the version and end

Keys:
  Left, Right          turn counter-clockwise, clockwise
  Up, Down             thrust, brake
  Space, right Ctrl    fire bullets
  M, right Shift       fire a pair of missiles
  S                    save the screen to screenshot.bmp
  P                    pause and resume (losing the window's focus pauses too)
  Escape               leave the game; on the title screen, quit
  Space (title)        start a game

A gamepad (Xbox-style): stick or d-pad turn, thrust and brake; A or X fire
bullets, B or Y missiles; Start starts a game and pauses; Back leaves.

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

namespace {

// 1 to 8, whole or with one decimal: "2", "1.5", "8.0".
bool scaleUsable(const char* text)
{
    const bool whole = text[0] >= '1' && text[0] <= '8';
    if (whole && text[1] == '\0')
        return true;
    return whole && text[1] == '.' && text[2] >= '0' && text[2] <= '9' && text[3] == '\0' &&
        (text[0] < '8' || text[2] == '0');
}

}  // namespace

PlayChoices optionsChoices(int argc, char** argv)
{
    PlayChoices choices;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-vsync") == 0 || strcmp(argv[i], "-novsync") == 0)
            choices.vsync = argv[i][1] == 'v';
        else if (strcmp(argv[i], "-nosound") == 0)
            choices.sound = false;
        else if (strcmp(argv[i], "-nojoystick") == 0)
            choices.joystick = false;
        else if (strcmp(argv[i], "-bpp") == 0)
            i++;  // its value is no option
        else if (i + 1 < argc && (strcmp(argv[i], "-record") == 0 || strcmp(argv[i], "-playdemo") == 0 ||
                                  strcmp(argv[i], "-timedemo") == 0)) {
            choices.demo = argv[i][1] == 'r' ? DemoMode::Record : argv[i][1] == 'p' ? DemoMode::Play : DemoMode::TimePlay;
            choices.demoFile = argv[++i];
        }
        else if (strcmp(argv[i], "-scale") == 0 && i + 1 < argc && scaleUsable(argv[i + 1]))
            choices.scale = argv[++i];
        else if (strcmp(argv[i], "-scale") == 0)
            fprintf(stderr, "ignoring -scale %s: the scale is 1 to 8, whole or with one decimal\n",
                    i + 1 < argc ? argv[i + 1] : "without a value");
    }
    return choices;
}

void optionsApply(const PlayChoices& choices)
{
    // A double-buffered display on real hardware shows each frame at the display's refresh;
    // without that the loop would draw hundreds of frames a second that nobody sees.
    // A timed demo measures the frames themselves, never the display's wait.
    const bool timed = choices.demo == DemoMode::TimePlay;
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", choices.vsync && !timed ? "1" : "0", choices.vsync >= 0 || timed);
    if (!choices.scale.empty()) {
        setenv("SDL12COMPAT_WINDOW_SCALING", choices.scale.c_str(), 1);
        // Whole steps keep the pixels sharp; between them smooth scaling looks better.
        const bool whole = choices.scale.size() == 1 || choices.scale.ends_with(".0");
        setenv("SDL12COMPAT_SCALE_METHOD", whole ? "nearest" : "linear", 0);
    }
    demoMode = choices.demo;
    soundEnabled = choices.sound;
    joystickEnabled = choices.joystick;
}
