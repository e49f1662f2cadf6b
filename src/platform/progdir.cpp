#include "platform/progdir.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr char PREFIX[] = "progdir:";
char directory[PROGDIR_PATH_MAX];
bool known = false;

// /proc/self/exe names the executable itself, links already followed, so an installed copy
// started through a symbolic link still finds its own images and sounds.
void findDirectory()
{
    ssize_t length = readlink("/proc/self/exe", directory, sizeof directory - 1);
    if (length <= 0) {
        strcpy(directory, ".");
    } else {
        directory[length] = '\0';
        char* slash = strrchr(directory, '/');
        if (slash == directory)
            slash[1] = '\0';
        else if (slash)
            *slash = '\0';
        else
            strcpy(directory, ".");
    }
    known = true;
}

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
        if (!known)
            findDirectory();
        const char* rest = path + sizeof PREFIX - 1;
        const bool needsSlash = directory[strlen(directory) - 1] != '/';
        written = snprintf(out, size, "%s%s%s", directory, needsSlash ? "/" : "", rest);
    } else {
        written = snprintf(out, size, "%s", path);
    }
    return written >= 0 && static_cast<std::size_t>(written) < size;
}
