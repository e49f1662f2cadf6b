#include "platform/progdir.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char PREFIX[] = "progdir:";
char directory[PROGDIR_PATH_MAX];
bool known = false;

bool holdsImages(const char* folder)
{
    char images[2 * PROGDIR_PATH_MAX];
    struct stat found;
    snprintf(images, sizeof images, "%s/images", folder);
    return stat(images, &found) == 0 && S_ISDIR(found.st_mode);
}

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
#ifdef SKARVEL_DATA_RELATIVE
    // An installed copy keeps its pictures and sounds under share/, beside the folder of its
    // command; a staged or unpacked copy finds its own there before any installed elsewhere.
    if (!holdsImages(directory)) {
        char beside[PROGDIR_PATH_MAX + sizeof SKARVEL_DATA_RELATIVE];
        snprintf(beside, sizeof beside, "%s/%s", directory, SKARVEL_DATA_RELATIVE);
        char resolved[PATH_MAX];
        if (holdsImages(beside) && realpath(beside, resolved) && strlen(resolved) < sizeof directory)
            strcpy(directory, resolved);
        else if (holdsImages(SKARVEL_DATA_ABSOLUTE) && strlen(SKARVEL_DATA_ABSOLUTE) < sizeof directory)
            strcpy(directory, SKARVEL_DATA_ABSOLUTE);
    }
#endif
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
