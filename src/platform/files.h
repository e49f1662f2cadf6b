// The files the game reads and writes. A file is read only when it is a plain file, and
// opening it never blocks (a pipe in a picture's place would hold the game until somebody
// writes to it). A file is written whole or not at all: under another name beside its own,
// given its real name only once complete and on the disk, so a full disk, a crash or a power
// loss never leaves a cut-off file under it, nor costs the file that was there before. And
// only a plain file, or nothing, is ever replaced: never a folder, a device, a pipe or a link.
#pragma once

#include <SDL.h>

#include <cstdio>

// Opens /dev/null on whichever of standard input, output and error is closed, so that no
// file or display connection opened later takes its number and receives the game's
// messages. Called first thing in main; a page's console is always there.
void filesStandardOpen();

// Opens a plain file to read; none when it cannot be opened or is not a plain file, with
// *why telling the player why ("No such file or directory", "Is a directory", "not a
// regular file"), and errno ENOENT when there is no such file.
FILE* fileOpenToRead(const char* name, const char** why);

// Whether name may be written: it does not exist, or is a plain file (links are not
// followed). Else false, with *why.
bool fileTargetUsable(const char* name, const char** why);

struct WholeFile {
    FILE* file;
    char part[4112];  // the name it is written under
    char name[4096];
};

// Checks the target and makes the file beside it to write, with the permissions any new file
// of the player's gets; false, with *why, when the target may not be written or no file can
// be made beside it (its folder missing or shut).
bool wholeFileOpen(WholeFile* whole, const char* name, const char** why);

// Closes the file and, when all of it was written, puts it on the disk and gives it its real
// name; else, or when any of that fails, the partial file goes and whatever bore the name
// before is left as it was. False, with *why, then.
bool wholeFileFinish(WholeFile* whole, bool written, const char** why);

// Gives SDL's picture or sound decoder the file whose header was checked through checked,
// from its start; the stream takes the file over and closes it. None when SDL cannot make
// one. The desktop hands over the very file (files_desktop.cpp), the browser its name
// (files_web.cpp).
SDL_RWops* fileDecoderStream(FILE* checked, const char* name);
