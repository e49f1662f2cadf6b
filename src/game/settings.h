// The player's settings file, which the player writes and the game only reads: the options
// that choose how the game looks, sounds and plays, one a line as on the command line without
// the dash ("window", "scale 2"), and the keys and pad buttons of the game's actions ("bind
// fire = space, right ctrl", "pad fire = 0, 2"). The command line beats the player's
// environment, which beats the file, which beats the defaults.
#pragma once

#include "game/actions.h"
#include "game/options.h"

#include <cstddef>

constexpr std::size_t SETTINGS_LARGEST = 64 * 1024;  // bytes; a larger file is no settings file
constexpr std::size_t SETTINGS_LINE_LONGEST = 1000;

// Where the settings are read from, as the command line left it: -config's FILE, none after
// -noconfig, else $XDG_CONFIG_HOME/skarvel/skarvel.conf, or ~/.config/skarvel/skarvel.conf when
// XDG_CONFIG_HOME is unset, empty or not an absolute path. Empty for none.
std::string settingsFile(const CommandLine& line);

// What a settings file says.
struct SettingsLines {
    CommandLine options;          // its options, as a command line of their own over the defaults
    std::vector<BindLine> binds;  // its bind and pad lines
    Told told;                    // each line it cannot take, and why
};

// Reads the file (none when empty). A missing file says nothing unless the player named it; a
// file that cannot be read (not a plain file, unreadable, larger than 64 KB) is one line on
// standard error, and it says nothing.
SettingsLines settingsRead(const std::string& file, bool named);

// The game as the file and the command line set it: the file's options with the command
// line's over them, and the keys and buttons the file binds, over the defaults, in the actions'
// bindings. Each line the game cannot take is told on standard error in the order of the
// lines, "FILE:LINE: why", and left out; the rest is taken.
CommandLine settingsApply(const std::string& file, const SettingsLines& read, const CommandLine& said);

// The settings file as the game's defaults would write it, every line explained: what
// --print-config prints, and what reads back without a word.
void settingsPrint();
