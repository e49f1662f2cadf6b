// The command line: one table of every option, read once from left to right into the display
// mode the player asks for, the choices beyond it, and the questions answered without
// starting the game. The table is also where --help, the manual page and the README take
// their lists from (a test holds them to it).
#pragma once

#include <SDL.h>

#include "platform/present.h"

#include <string>
#include <utility>
#include <vector>

// What the command line asks of demos: nothing, or one of recording the next game into a
// file, playing one back in real time, or as fast as it goes to time the display.
enum class DemoMode { None, Record, Play, TimePlay };

constexpr Uint32 DEFAULT_VIDEO_FLAGS = SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_HWSURFACE;

struct VideoRequest {
    int width;
    int height;
    int bitsPerPixel;
    Uint32 flags;
};

// The choices beyond the video mode. Each one said on the command line beats the player's
// environment, which beats the settings file, which beats the default.
struct PlayChoices {
    int vsync = -1;                  // 1 for -vsync, 0 for -novsync, -1 unsaid: frames wait for the display
    std::string scale;               // the window's scale from -scale N: 1 to 8, whole or with one decimal
    bool sound = true;               // false for -nosound
    bool joystick = true;            // false for -nojoystick
    DemoMode demo = DemoMode::None;  // -record, -playdemo or -timedemo, with the file
    std::string demoFile;
    bool digest = false;                        // -digest
    Presentation present = Presentation::Auto;  // -present
    bool frameStats = false;                    // -framestats
    bool attract = true;                        // false for -noattract
    // Said by the settings file, not the command line: the player's environment beats these.
    bool vsyncByFile = false, scaleByFile = false, presentByFile = false;
};

enum class Question { None, Help, Version, Settings };

struct Option;

struct CommandLine {
    VideoRequest video{640, 480, 16, DEFAULT_VIDEO_FLAGS};
    PlayChoices play;
    Question question = Question::None;                       // -h, --help, --version or --print-config anywhere
    std::string settings;                                     // -config FILE
    bool noSettings = false;                                  // -noconfig
    bool byFile = false;                                      // what is being read comes from the settings file
    std::vector<std::pair<const Option*, const char*>> said;  // the command line's options, in order
};

// One option: its name, the value it takes (none for a switch), its line in --help, what it
// does to the command line read so far (none when it took it, else why not), and, when a
// settings file may say it too, its line in the default settings file (commented out with
// "# " where it is no default): the one-off ones belong to the command line alone.
struct Option {
    const char* name;
    const char* value;
    const char* help;
    const char* (*apply)(CommandLine& line, const char* value);
    const char* inFile;
};
extern const Option OPTIONS[];
extern const int OPTION_COUNT;

// The option of that name, without its dashes ("window", "scale", "help"), or none.
const Option* optionWord(const char* word);

// Reads the words after argv[0] from left to right, so a later option overrides an earlier
// one. A word that names an option is never taken as another's value; an unknown word, an
// option without its value and a value the game cannot use are each left out with one line
// on standard error, and the game still starts.
CommandLine optionsRead(int argc, char** argv);

// The command line's options said again over another reading (the settings file's), which
// they beat, and counted as said; they were told of when first read.
CommandLine optionsOver(CommandLine under, const CommandLine& line);

// Prints the usage (options and keys) or the version on standard output when asked: true
// then, and the program ends there with status 0.
bool optionsAnswer(const CommandLine& line);

// Puts the choices in place before SDL starts: the library's settings for waiting on the
// display and scaling the window, what start-up opens, and the demo to record or play.
void optionsApply(const CommandLine& line);
