#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char NOT_PLAIN[] = "not a regular file";

// The folder a name lies in, for its own fsync: what goes before the last slash.
void folderOf(const char* name, char* folder, std::size_t size)
{
    const char* slash = strrchr(name, '/');
    if (!slash)
        snprintf(folder, size, ".");
    else
        snprintf(folder, size, "%.*s", slash == name ? 1 : static_cast<int>(slash - name), name);
}

}  // namespace

FILE* fileOpenToRead(const char* name, const char** why)
{
    // Opened without waiting, so that a pipe is refused at once instead of holding the game.
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat found;
    if (fd < 0 || fstat(fd, &found) != 0) {
        *why = strerror(errno);
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    if (!S_ISREG(found.st_mode)) {
        *why = S_ISDIR(found.st_mode) ? strerror(EISDIR) : NOT_PLAIN;
        close(fd);
        errno = S_ISDIR(found.st_mode) ? EISDIR : EINVAL;
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = fdopen(fd, "rb");
    if (!file) {
        *why = strerror(errno);
        close(fd);
    }
    return file;
}

bool fileTargetUsable(const char* name, const char** why)
{
    struct stat found;
    if (lstat(name, &found) != 0 || S_ISREG(found.st_mode))
        return true;  // nothing there yet (a missing folder shows when the file is made)
    *why = S_ISDIR(found.st_mode) ? strerror(EISDIR) : NOT_PLAIN;
    return false;
}

bool wholeFileOpen(WholeFile* whole, const char* name, const char** why)
{
    snprintf(whole->name, sizeof whole->name, "%s", name);
    whole->file = nullptr;
    if (!fileTargetUsable(name, why))
        return false;
    // open itself gives a new file the permissions the player's umask leaves of 0666, as any
    // other program's new file gets; a name taken already is simply another try.
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; attempt++) {
        snprintf(whole->part, sizeof whole->part, "%s.%d-%u", name, static_cast<int>(getpid()), attempt);
        fd = open(whole->part, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd >= 0 && (whole->file = fdopen(fd, "wb")) == nullptr) {
        const int error = errno;
        close(fd);
        unlink(whole->part);
        errno = error;
    }
    if (!whole->file)
        *why = strerror(errno);
    return whole->file != nullptr;
}

bool wholeFileFinish(WholeFile* whole, bool written, const char** why)
{
    // The first step that fails gives the reason: the last writes, reaching the disk, the
    // close, the target (something else may have taken its place meanwhile), the rename.
    int error = 0;
    const char* reason = nullptr;
    if (written && (fflush(whole->file) != 0 || ferror(whole->file)))
        error = errno ? errno : EIO;
    else if (written && fsync(fileno(whole->file)) != 0)
        error = errno;
    if (fclose(whole->file) != 0 && written && !error)
        error = errno;
    whole->file = nullptr;
    if (written && !error && !fileTargetUsable(whole->name, &reason))
        error = -1;
    else if (written && !error && rename(whole->part, whole->name) != 0)
        error = errno;
    if (!written || error) {
        unlink(whole->part);
        *why = error > 0 ? strerror(error) : reason ? reason : "not written";
        return false;
    }
    // The new name lives in the folder's own entries: those reach the disk too.
    char folder[sizeof whole->name];
    folderOf(whole->name, folder, sizeof folder);
    const int directory = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        fsync(directory);
        close(directory);
    }
    return true;
}
