#include "game/options.h"

#include "game/actions.h"
#include "game/playback.h"
#include "game/startup.h"
#include "platform/library.h"

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

constexpr const char* NONE = nullptr;  // an option that took what it was given

const char* demoOption(CommandLine& line, DemoMode mode, const char* file)
{
    line.play.demo = mode;
    line.play.demoFile = file;
    return NONE;
}

// The first question asked is the one answered.
const char* ask(CommandLine& line, Question question)
{
    if (line.question == Question::None)
        line.question = question;
    return NONE;
}

// What --help says of the settings file, after the keys.
constexpr char SETTINGS[] = R"(
Settings: $XDG_CONFIG_HOME/skarvel/skarvel.conf, or else
~/.config/skarvel/skarvel.conf, read before the command line, which beats it,
as the environment does; -config FILE reads FILE instead, -noconfig none.
One setting a line, # for a comment: an option without its dash and with its
value ("window", "scale 2"); "bind ACTION = KEY, KEY..." with the names SDL
gives the keys ("space", "right ctrl", "a"); "pad ACTION = BUTTON, BUTTON..."
with the names SDL gives a game controller's buttons ("a", "start", "dpup"),
or the pad's own numbers. --print-config prints the default file, every line
explained: skarvel --print-config > ~/.config/skarvel/skarvel.conf
)";

constexpr char EXIT[] = R"(
The exit status is 1 when start-up fails, a sprite set cannot be loaded, the
display is lost, or a demo cannot be played or recorded (the reason is one
line on standard error), and 0 otherwise.
)";

}  // namespace

const Option OPTIONS[] = {
    {"-fullscreen", nullptr, "play full screen (the default; Alt+Enter switches)",
     [](CommandLine& line, const char*) {
         line.video.flags |= SDL_FULLSCREEN;
         return NONE;
     },
     "fullscreen"},
    {"-window", nullptr, "play in a 640 x 480 window",
     [](CommandLine& line, const char*) {
         line.video.flags &= ~SDL_FULLSCREEN;
         return NONE;
     },
     "# window"},
    {"-double", nullptr, "double-buffered display (the default)",
     [](CommandLine& line, const char*) {
         line.video.flags |= SDL_DOUBLEBUF;
         return NONE;
     },
     "double"},
    {"-single", nullptr, "single-buffered display",
     [](CommandLine& line, const char*) {
         line.video.flags &= ~SDL_DOUBLEBUF;
         return NONE;
     },
     "# single"},
    {"-bpp", "N", "ask for N bits per pixel (default 16)",
     [](CommandLine& line, const char* depth) {
         line.video.bitsPerPixel = atoi(depth);
         return NONE;
     },
     "bpp 16"},
    {"-scale", "N",
     "a window N times as large, N from 1 to 8, whole or with one\n"
     "                  decimal (whole steps keep the pixels sharp)",
     [](CommandLine& line, const char* scale) {
         if (!scaleUsable(scale))
             return "the scale is 1 to 8, whole or with one decimal";
         line.play.scale = scale;
         line.play.scaleByFile = line.byFile;
         return NONE;
     },
     "# scale 2"},
    {"-vsync", nullptr, "show each frame in step with the display's refresh (the default)",
     [](CommandLine& line, const char*) {
         line.play.vsync = 1;
         line.play.vsyncByFile = line.byFile;
         return NONE;
     },
     "vsync"},
    {"-novsync", nullptr, "draw frames as fast as the clock allows",
     [](CommandLine& line, const char*) {
         line.play.vsync = 0;
         line.play.vsyncByFile = line.byFile;
         return NONE;
     },
     "# novsync"},
    {"-present", "HOW", "how frames reach the screen: auto (the default), software or opengl",
     [](CommandLine& line, const char* how) {
         const Presentation ways[] = {Presentation::Auto, Presentation::Software, Presentation::OpenGL};
         const char* names[] = {"auto", "software", "opengl"};
         for (int i = 0; i < 3; i++)
             if (strcmp(how, names[i]) == 0) {
                 line.play.present = ways[i];
                 line.play.presentByFile = line.byFile;
                 return NONE;
             }
         return "it is auto, software or opengl";
     },
     "present auto"},
    {"-framestats", nullptr, "print how even the frames came when the program ends",
     [](CommandLine& line, const char*) {
         line.play.frameStats = true;
         return NONE;
     },
     "# framestats"},
    {"-noattract", nullptr, "keep the title screen still: show no demos while nobody plays",
     [](CommandLine& line, const char*) {
         line.play.attract = false;
         return NONE;
     },
     "# noattract"},
    {"-nosound", nullptr, "play without sound, opening no audio device",
     [](CommandLine& line, const char*) {
         line.play.sound = false;
         return NONE;
     },
     "# nosound"},
    {"-nojoystick", nullptr, "leave joysticks and gamepads alone",
     [](CommandLine& line, const char*) {
         line.play.joystick = false;
         return NONE;
     },
     "# nojoystick"},
    {"-config", "FILE", "read the settings from FILE instead of skarvel.conf",
     [](CommandLine& line, const char* file) {
         line.settings = file;
         line.noSettings = false;
         return NONE;
     },
     nullptr},
    {"-noconfig", nullptr, "read no settings file",
     [](CommandLine& line, const char*) {
         line.noSettings = true;
         return NONE;
     },
     nullptr},
    {"-record", "FILE", "record the next game into FILE",
     [](CommandLine& line, const char* file) { return demoOption(line, DemoMode::Record, file); }, nullptr},
    {"-playdemo", "FILE", "play the game recorded in FILE, in real time",
     [](CommandLine& line, const char* file) { return demoOption(line, DemoMode::Play, file); }, nullptr},
    {"-timedemo", "FILE", "play it as fast as it goes and print the frame rate and cost",
     [](CommandLine& line, const char* file) { return demoOption(line, DemoMode::TimePlay, file); }, nullptr},
    {"-digest", nullptr,
     "with -playdemo or -timedemo, and for the title screen's demos,\n"
     "                  print what the world looks like every 100 frames and at the\n"
     "                  end (for testing)",
     [](CommandLine& line, const char*) {
         line.play.digest = true;
         return NONE;
     },
     nullptr},
    {"-h", nullptr, "show this help and end", [](CommandLine& line, const char*) { return ask(line, Question::Help); },
     nullptr},
    {"--help", nullptr, "show this help and end",
     [](CommandLine& line, const char*) { return ask(line, Question::Help); }, nullptr},
    {"--version", nullptr, "show the version and end",
     [](CommandLine& line, const char*) { return ask(line, Question::Version); }, nullptr},
    {"--print-config", nullptr, "print the default settings file, every line explained, and end",
     [](CommandLine& line, const char*) { return ask(line, Question::Settings); }, nullptr},
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

const Option* optionWord(const char* word)
{
    for (const Option& option : OPTIONS)
        if (strcmp(option.name + strspn(option.name, "-"), word) == 0)
            return &option;
    return nullptr;
}

CommandLine optionsRead(int argc, char** argv)
{
    CommandLine line;
    for (int i = 1; i < argc; i++) {
        const Option* option = optionNamed(argv[i]);
        const char* value = nullptr;
        if (!option) {
            fprintf(stderr, "ignoring unknown option %s\n", argv[i]);
            continue;
        }
        if (option->value && (i + 1 >= argc || optionNamed(argv[i + 1]))) {
            fprintf(stderr, "ignoring %s without a value\n", option->name);
            continue;
        }
        if (option->value)
            value = argv[++i];
        if (const char* why = option->apply(line, value))
            fprintf(stderr, "ignoring %s %s: %s\n", option->name, value, why);
        else
            line.said.emplace_back(option, value);
    }
    return line;
}

CommandLine optionsOver(CommandLine under, const CommandLine& line)
{
    under.byFile = false;
    for (const auto& [option, value] : line.said) {
        option->apply(under, value);
        under.said.emplace_back(option, value);
    }
    return under;
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
        printf("\nKeys and pad buttons, as the game has them until the settings file binds others:\n");
        for (const ActionInfo& action : ACTIONS)
            printf("%s\n", actionHelp(action).c_str());
        printf("  %-31s%s\n", "alt+enter", "switch between full screen and the window");
        printf("The stick and the d-pad turn, thrust and brake.\n");
        fputs(SETTINGS, stdout);
        printf("Actions:");
        for (const ActionInfo& action : ACTIONS)
            printf(" %s", action.name);
        printf("\n%s", EXIT);
    }
    return line.question != Question::None;
}

void optionsApply(const CommandLine& line)
{
    const PlayChoices& choices = line.play;
    // A double-buffered display on real hardware shows each frame at the display's refresh;
    // without that the loop would draw hundreds of frames a second that nobody sees.
    // A timed demo measures the frames themselves, never the display's wait.
    // What the settings file says gives way to the player's environment; what the command line
    // says does not.
    const bool timed = choices.demo == DemoMode::TimePlay;
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", choices.vsync && !timed ? "1" : "0",
           (choices.vsync >= 0 && !choices.vsyncByFile) || timed);
    if (!choices.scale.empty())
        setenv("SDL12COMPAT_WINDOW_SCALING", choices.scale.c_str(), !choices.scaleByFile);
    // Whole steps keep the pixels sharp, and so does full screen, whose stretch is rarely a
    // whole one: smooth scaling costs twice the processor there, where SDL does it. Only a
    // window scaled between whole steps is scaled smoothly, which looks better there.
    const char* scale = getenv("SDL12COMPAT_WINDOW_SCALING");
    const bool whole =
        !scale || !strchr(scale, '.') || strtod(scale, nullptr) == static_cast<int>(strtod(scale, nullptr));
    setenv("SDL12COMPAT_SCALE_METHOD", whole ? "nearest" : "linear", 0);
    // The frames wait for the display unless the player, or a timed demo, says otherwise.
    // The classic SDL 1.2 has neither of sdl12-compat's ways.
    if (libraryClassic()) {
        const SDL_version* linked = SDL_Linked_Version();
        for (const char* ignored :
             {choices.scale.empty() ? nullptr : "-scale", choices.present == Presentation::Auto ? nullptr : "-present"})
            if (ignored)
                fprintf(stderr, "ignoring %s: SDL %d.%d.%d neither scales the window nor chooses a renderer\n", ignored,
                        linked->major, linked->minor, linked->patch);
    }
    const char* sync = getenv("SDL12COMPAT_SYNC_TO_VBLANK");
    const char* driver = getenv("SDL_RENDER_DRIVER");
    const bool playersDriver = choices.presentByFile && driver && *driver;
    presentSetUp(playersDriver ? Presentation::Auto : choices.present, !timed && (!sync || strcmp(sync, "0") != 0));
    demoDigests = choices.digest;
    soundEnabled = choices.sound;
    joystickEnabled = choices.joystick;
}
