// Resolving the "progdir:" prefix of the game's file names. On the desktop it names the
// directory that holds the executable when its images/ are there (the build folder), else the
// data folder of an installed copy relative to it, else the data folder the build was
// configured for; in a browser, the root of the page's file system, where the packed pictures
// and sounds lie.
#pragma once

#include <cstddef>

constexpr std::size_t PROGDIR_PATH_MAX = 4096;

// Writes path into out with a leading "progdir:" replaced by the executable's directory and
// a slash; other paths are copied unchanged. False when the result does not fit.
bool progdirResolve(const char* path, char* out, std::size_t size);

// Makes "progdir:" name another directory (tests play from folders of their own).
void progdirSet(const char* directory);

// Writes the directory "progdir:" names unless set, found once on first use: the desktop's
// way is in progdir_desktop.cpp, the browser's in progdir_web.cpp.
void progdirFind(char* directory, std::size_t size);
