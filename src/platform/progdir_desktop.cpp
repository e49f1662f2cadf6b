#include "platform/progdir.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool holdsImages(const char* folder)
{
    char images[2 * PROGDIR_PATH_MAX];
    struct stat found;
    snprintf(images, sizeof images, "%s/images", folder);
    return stat(images, &found) == 0 && S_ISDIR(found.st_mode);
}

}  // namespace

// /proc/self/exe names the executable itself, links already followed, so an installed copy
// started through a symbolic link still finds its own images and sounds.
void progdirFind(char* directory, std::size_t size)
{
    ssize_t length = readlink("/proc/self/exe", directory, size - 1);
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
#ifdef SKARVEL_DATA_RELATIVE
    // An installed copy keeps its pictures and sounds under share/, beside the folder of its
    // command; a staged or unpacked copy finds its own there before any installed elsewhere.
    if (!holdsImages(directory)) {
        char beside[PROGDIR_PATH_MAX + sizeof SKARVEL_DATA_RELATIVE];
        snprintf(beside, sizeof beside, "%s/%s", directory, SKARVEL_DATA_RELATIVE);
        char resolved[PATH_MAX];
        if (holdsImages(beside) && realpath(beside, resolved) && strlen(resolved) < size)
            strcpy(directory, resolved);
        else if (holdsImages(SKARVEL_DATA_ABSOLUTE) && strlen(SKARVEL_DATA_ABSOLUTE) < size)
            strcpy(directory, SKARVEL_DATA_ABSOLUTE);
    }
#endif
}
