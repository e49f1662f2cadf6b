// Files written whole or not at all: written beside their real name under another one and
// given the real name only once complete, so a full disk or a crash never leaves a cut-off
// file under it, nor costs the file that was there before.
#pragma once

#include <cstdio>

struct WholeFile {
    FILE* file;
    char part[4104];  // the name it is written under
    char name[4096];
};

// Opens a file beside name to write it; false, errno telling why, when none can be made.
bool wholeFileOpen(WholeFile* whole, const char* name);

// Closes the file and gives it its real name when all of it was written (and reached the
// disk); else, or when that fails, the partial file goes. False, errno telling why, then.
bool wholeFileFinish(WholeFile* whole, bool written);
