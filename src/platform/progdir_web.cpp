#include "platform/progdir.h"

#include <cstdio>

void progdirFind(char* directory, std::size_t size)
{
    // The page packs images/ and sounds/ at the root of its file system.
    snprintf(directory, size, "/");
}
