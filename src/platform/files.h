// The files the game reads and writes. A file is read only when it is a plain file, and
// opening it never blocks (a pipe in a picture's place would hold the game until somebody
// writes to it). A file is written whole or not at all: under another name beside its own,
// given its real name only once complete and on the disk, so a full disk, a crash or a power
// loss never leaves a cut-off file under it, nor costs the file that was there before. And
// only a plain file, or nothing, is ever replaced: never a folder, a device, a pipe or a link
// (a file the player keeps may be reached through a link, which stays: WholeFileOwner).
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
    char name[4096];  // the name it gets: a link's target, for a file the player keeps
};

// Whose file is replaced. The game's own it makes anew each time (a screenshot, a demo): in
// its own name, with the permissions any new file of the player's gets, in a folder that must
// be there. One the player keeps (settings) may live where the player put it: a symbolic link
// (into a dotfiles folder, say) is followed, once, to the plain file it names, or to nothing,
// and that is written whole, the link left as it is; the new file keeps the old one's
// permission bits; and a missing folder is made, 0700, as the XDG convention asks.
enum class WholeFileOwner { Game, Player };

// Checks the target and makes the file beside it to write; false, with *why, when the target
// may not be written or no file can be made beside it (its folder missing, or shut). Only
// names are looked at, never a file opened, so a pipe or a device in the target's place holds
// nothing up.
bool wholeFileOpen(WholeFile* whole, const char* name, const char** why, WholeFileOwner owner = WholeFileOwner::Game);

// Closes the file and, when all of it was written, puts it on the disk and gives it its real
// name; else, or when any of that fails, the partial file goes and whatever bore the name
// before is left as it was. False, with *why, then.
bool wholeFileFinish(WholeFile* whole, bool written, const char** why);

// Whether a file written now is still there when the game next starts: on the desktop; in a
// page, whose files live in its memory and go when it is closed or reloaded, only those of the
// folder the page keeps in the browser's storage, when the browser lets it keep one.
bool filesOutlastTheGame();

// Hands what was written to where it outlasts the game: nothing more on the desktop, where a
// whole file is on the disk once finished; a page copies its kept folder to the browser's
// storage, which takes a moment after the call.
void filesKeep();

// Gives SDL's picture or sound decoder the file whose header was checked through checked,
// from its start; the stream takes the file over and closes it. None when SDL cannot make
// one. The desktop hands over the very file (files_desktop.cpp), the browser its name
// (files_web.cpp).
SDL_RWops* fileDecoderStream(FILE* checked, const char* name);
