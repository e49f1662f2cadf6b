// The player's settings file: the options that choose how the game looks, sounds and plays,
// one a line as on the command line without the dash ("window", "scale 2"), and the keys and
// pad buttons of the game's actions ("bind fire = space, right ctrl", "pad fire = 0, 2"). The
// command line beats the player's environment, which beats the file, which beats the
// defaults. The player writes it, and the game writes the lines of the actions the controls
// screen rebinds, leaving every other line as the player wrote it.
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
    std::string refused;          // why a file that is there was not read at all, else empty
};

// Reads the file (none when empty). A missing file says nothing unless the player named it; a
// file that cannot be read (not a plain file, unreadable, larger than 64 KB) is one line on
// standard error, and it says nothing.
SettingsLines settingsRead(const std::string& file, bool named);

// The game as the file and the command line set it: the file's options with the command
// line's over them, and the keys and buttons the file binds, over the defaults, in the actions'
// bindings. Each line the game cannot take is told on standard error in the order of the
// lines, "FILE:LINE: why", and left out; the rest is taken. The file, and whether it was
// refused, is kept for settingsSave.
CommandLine settingsApply(const std::string& file, const SettingsLines& read, const CommandLine& said);

// Saves the keys and pad buttons of the actions a change touched (the one bound and the one
// that lost the key or button) into the file settingsApply took, the bindings as they are now,
// whole or not at all: where there was none yet it is made, and its folder. The bind or pad
// line of each of those actions that no longer reads as its binding is replaced where it
// stands, or added at the end ("bind screenshot =" for an action left without keys), and so is
// that of any other action the change would read otherwise; every other line stays byte for
// byte, so the next start reads the same bindings with no warning. A file refused at start is
// never written. What the controls screen shows, one short line:
//   "settings saved in ~/.config/skarvel/skarvel.conf"
//   "settings not saved: started with -noconfig"
//   "settings not saved: HOME is not set"
//   "settings not saved: the browser keeps no files for this page"
//   "settings not saved: FILE: why" for a file refused at start, as it was told then ("larger
//   than 65536 bytes", "not a regular file"), and for a failure now ("Permission denied", "No
//   space left on device"), which alone is also said on standard error.
std::string settingsSave(const std::vector<int>& actions);

// Why no change will be saved, as settingsSave would say it before trying ("settings not
// saved: started with -noconfig"); empty when a change would be saved.
std::string settingsUnsaved();

// The settings file as the game's defaults would write it, every line explained: what
// --print-config prints, and what reads back without a word.
void settingsPrint();
