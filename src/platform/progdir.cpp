#include "platform/progdir.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char PREFIX[] = "progdir:";
char directory[PROGDIR_PATH_MAX];
bool known = false;

}  // namespace

void progdirSet(const char* newDirectory)
{
    snprintf(directory, sizeof directory, "%s", *newDirectory ? newDirectory : ".");
    known = true;
}

bool progdirResolve(const char* path, char* out, std::size_t size)
{
    int written;
    if (strncmp(path, PREFIX, sizeof PREFIX - 1) == 0) {
        if (!known) {
            progdirFind(directory, sizeof directory);
            known = true;
        }
        const char* rest = path + sizeof PREFIX - 1;
        const bool needsSlash = directory[strlen(directory) - 1] != '/';
        written = snprintf(out, size, "%s%s%s", directory, needsSlash ? "/" : "", rest);
    } else {
        written = snprintf(out, size, "%s", path);
    }
    return written >= 0 && static_cast<std::size_t>(written) < size;
}
