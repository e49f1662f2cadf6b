#include "platform/wholefile.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

bool wholeFileOpen(WholeFile* whole, const char* name)
{
    snprintf(whole->name, sizeof whole->name, "%s", name);
    snprintf(whole->part, sizeof whole->part, "%s.XXXXXX", name);
    const int fd = mkstemp(whole->part);
    if (fd < 0)
        return false;
    // The finished file gets the permissions any new file of the player's would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    whole->file = fdopen(fd, "wb");
    if (!whole->file) {
        const int error = errno;
        close(fd);
        unlink(whole->part);
        errno = error;
    }
    return whole->file != nullptr;
}

bool wholeFileFinish(WholeFile* whole, bool written)
{
    // The first step that fails gives the reason: the last writes, the close, the rename.
    bool complete = written && fflush(whole->file) == 0 && !ferror(whole->file);
    int error = errno;
    if (fclose(whole->file) != 0 && complete)
        complete = false, error = errno;
    if (complete && rename(whole->part, whole->name) != 0)
        complete = false, error = errno;
    if (!complete)
        unlink(whole->part);
    errno = error;
    return complete;
}
