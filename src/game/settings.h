// The player's settings file, which the player writes and the game only reads: the options
// that choose how the game looks, sounds and plays, one a line as on the command line without
// the dash ("window", "scale 2"), and the keys and pad buttons of the game's actions ("bind
// fire = space, right ctrl", "pad fire = 0, 2"). The command line beats the player's
// environment, which beats the file, which beats the defaults.
#pragma once

#include "game/options.h"

#include <cstddef>

constexpr std::size_t SETTINGS_LARGEST = 64 * 1024;  // bytes; a larger file is no settings file
constexpr std::size_t SETTINGS_LINE_LONGEST = 1000;

// Where the settings are read from, as the command line left it: -config's FILE, none after
// -noconfig, else $XDG_CONFIG_HOME/skarvel/skarvel.conf, or ~/.config/skarvel/skarvel.conf when
// XDG_CONFIG_HOME is unset, empty or not an absolute path. Empty for none.
std::string settingsFile(const CommandLine& line);

// The defaults, then the settings file, then the command line's options over them. A missing
// file says nothing; each line the game cannot take is left out with one line on standard
// error, "FILE:LINE: why", and the rest is taken; a file that cannot be read (not a plain file,
// unreadable, larger than 64 KB) is one line, and the defaults stand. Keys and buttons the file
// binds go into the actions' bindings.
CommandLine settingsRead(const std::string& file, const CommandLine& line);

// The settings file as the game's defaults would write it, every line explained: what
// --print-config prints, and what reads back without a word.
void settingsPrint();
