#include "game/options.h"

#include "game/title.h"
#include "platform/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void demoOption(CommandLine& line, DemoMode mode, const char* file)
{
    line.play.demo = mode;
    line.play.demoFile = file;
}

// The first question asked is the one answered.
void ask(CommandLine& line, Question question)
{
    if (line.question == Question::None)
        line.question = question;
}

constexpr char KEYS[] = R"(
Keys:
  Left, Right          turn counter-clockwise, clockwise
  Up, Down             thrust, brake
  Space, right Ctrl    fire bullets
  M, right Shift       fire a pair of missiles
  S                    save the screen to screenshot.bmp
  P                    pause and resume (losing the window's focus pauses too)
  Escape               leave the game; on the title screen, quit
  Space (title)        start a game
  Alt+Enter            switch between full screen and the window

A gamepad (Xbox-style): stick or d-pad turn, thrust and brake; A or X fire
bullets, B or Y missiles; Start starts a game and pauses; Back leaves.

The exit status is 1 when start-up fails, a sprite set cannot be loaded, the
display is lost, or a demo cannot be played or recorded (the reason is one
line on standard error), and 0 otherwise.
)";

}  // namespace

const Option OPTIONS[] = {
    {"-fullscreen", nullptr, "play full screen (the default; Alt+Enter switches)",
     [](CommandLine& line, const char*) { line.video.flags |= SDL_FULLSCREEN; }},
    {"-window", nullptr, "play in a 640 x 480 window",
     [](CommandLine& line, const char*) { line.video.flags &= ~SDL_FULLSCREEN; }},
    {"-double", nullptr, "double-buffered display (the default)",
     [](CommandLine& line, const char*) { line.video.flags |= SDL_DOUBLEBUF; }},
    {"-single", nullptr, "single-buffered display",
     [](CommandLine& line, const char*) { line.video.flags &= ~SDL_DOUBLEBUF; }},
    {"-bpp", "N", "ask for N bits per pixel (default 16)",
     [](CommandLine& line, const char* depth) { line.video.bitsPerPixel = atoi(depth); }},
    {"-scale", "N", "a window N times as large, N from 1 to 8, whole or with one\n"
                    "                  decimal (whole steps keep the pixels sharp)",
     [](CommandLine& line, const char* scale) {
         if (scaleUsable(scale))
             line.play.scale = scale;
         else
             fprintf(stderr, "ignoring -scale %s: the scale is 1 to 8, whole or with one decimal\n", scale);
     }},
    {"-vsync", nullptr, "show each frame in step with the display's refresh (the default)",
     [](CommandLine& line, const char*) { line.play.vsync = 1; }},
    {"-novsync", nullptr, "draw frames as fast as the clock allows",
     [](CommandLine& line, const char*) { line.play.vsync = 0; }},
    {"-present", "HOW", "how frames reach the screen: auto (the default), software or opengl",
     [](CommandLine& line, const char* how) {
         const Presentation ways[] = {Presentation::Auto, Presentation::Software, Presentation::OpenGL};
         const char* names[] = {"auto", "software", "opengl"};
         for (int i = 0; i < 3; i++)
             if (strcmp(how, names[i]) == 0)
                 return void(line.play.present = ways[i]);
         fprintf(stderr, "ignoring -present %s: it is auto, software or opengl\n", how);
     }},
    {"-framestats", nullptr, "print how even the frames came when the program ends",
     [](CommandLine& line, const char*) { line.play.frameStats = true; }},
    {"-noattract", nullptr, "keep the title screen still: show no demos while nobody plays",
     [](CommandLine& line, const char*) { line.play.attract = false; }},
    {"-nosound", nullptr, "play without sound, opening no audio device",
     [](CommandLine& line, const char*) { line.play.sound = false; }},
    {"-nojoystick", nullptr, "leave joysticks and gamepads alone",
     [](CommandLine& line, const char*) { line.play.joystick = false; }},
    {"-record", "FILE", "record the next game into FILE",
     [](CommandLine& line, const char* file) { demoOption(line, DemoMode::Record, file); }},
    {"-playdemo", "FILE", "play the game recorded in FILE, in real time",
     [](CommandLine& line, const char* file) { demoOption(line, DemoMode::Play, file); }},
    {"-timedemo", "FILE", "play it as fast as it goes and print the frame rate and cost",
     [](CommandLine& line, const char* file) { demoOption(line, DemoMode::TimePlay, file); }},
    {"-digest", nullptr, "with -playdemo or -timedemo, and for the title screen's demos,\n"
                         "                  print what the world looks like every 100 frames and at the\n"
                         "                  end (for testing)",
     [](CommandLine& line, const char*) { line.play.digest = true; }},
    {"-h", nullptr, "show this help and end",
     [](CommandLine& line, const char*) { ask(line, Question::Help); }},
    {"--help", nullptr, "show this help and end", [](CommandLine& line, const char*) { ask(line, Question::Help); }},
    {"--version", nullptr, "show the version and end",
     [](CommandLine& line, const char*) { ask(line, Question::Version); }},
};
const int OPTION_COUNT = sizeof OPTIONS / sizeof OPTIONS[0];

namespace {

const Option* optionNamed(const char* word)
{
    for (const Option& option : OPTIONS)
        if (strcmp(option.name, word) == 0)
            return &option;
    return nullptr;
}

}  // namespace

CommandLine optionsRead(int argc, char** argv)
{
    CommandLine line;
    for (int i = 1; i < argc; i++) {
        const Option* option = optionNamed(argv[i]);
        if (!option) {
            fprintf(stderr, "ignoring unknown option %s\n", argv[i]);
        } else if (!option->value) {
            option->apply(line, nullptr);
        } else if (i + 1 < argc && !optionNamed(argv[i + 1])) {
            option->apply(line, argv[++i]);
        } else {
            fprintf(stderr, "ignoring %s without a value\n", option->name);
        }
    }
    return line;
}

bool optionsAnswer(const CommandLine& line)
{
    if (line.question == Question::Version) {
        printf("skarvel %s\n", SKARVEL_VERSION);
    } else if (line.question == Question::Help) {
        printf("Usage: skarvel [OPTION]...\n"
               "A 2-D arcade shooter: fly a ship through a wrapping world of 199 enemies.\n\n"
               "Options (a later one overrides an earlier one):\n");
        for (const Option& option : OPTIONS) {
            char named[32];
            snprintf(named, sizeof named, "%s%s%s", option.name, option.value ? " " : "",
                     option.value ? option.value : "");
            printf("  %-15s %s\n", named, option.help);
        }
        fputs(KEYS, stdout);
    }
    return line.question != Question::None;
}

void optionsApply(const CommandLine& line)
{
    const PlayChoices& choices = line.play;
    // A double-buffered display on real hardware shows each frame at the display's refresh;
    // without that the loop would draw hundreds of frames a second that nobody sees.
    // A timed demo measures the frames themselves, never the display's wait.
    const bool timed = choices.demo == DemoMode::TimePlay;
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", choices.vsync && !timed ? "1" : "0", choices.vsync >= 0 || timed);
    // Whole steps keep the pixels sharp, and so does full screen, whose stretch is rarely a
    // whole one: smooth scaling costs twice the processor there, where SDL does it. Only a
    // window scaled between whole steps is scaled smoothly, which looks better there.
    bool whole = true;
    if (!choices.scale.empty()) {
        setenv("SDL12COMPAT_WINDOW_SCALING", choices.scale.c_str(), 1);
        whole = choices.scale.size() == 1 || choices.scale.ends_with(".0");
    }
    setenv("SDL12COMPAT_SCALE_METHOD", whole ? "nearest" : "linear", 0);
    // The frames wait for the display unless the player, or a timed demo, says otherwise.
    // The classic SDL 1.2 has neither of sdl12-compat's ways.
    if (presentClassicSdl()) {
        const SDL_version* linked = SDL_Linked_Version();
        for (const char* ignored : {choices.scale.empty() ? nullptr : "-scale",
                                    choices.present == Presentation::Auto ? nullptr : "-present"})
            if (ignored)
                fprintf(stderr, "ignoring %s: SDL %d.%d.%d neither scales the window nor chooses a renderer\n",
                        ignored, linked->major, linked->minor, linked->patch);
    }
    const char* sync = getenv("SDL12COMPAT_SYNC_TO_VBLANK");
    presentSetUp(choices.present, !timed && (!sync || strcmp(sync, "0") != 0));
    demoMode = choices.demo;
    // A game recorded, or a demo played, is all the program does: its title screen stays still.
    attractEnabled = choices.attract && choices.demo == DemoMode::None;
    demoDigests = choices.digest;
    soundEnabled = choices.sound;
    joystickEnabled = choices.joystick;
}
