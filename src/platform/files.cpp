#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char NOT_PLAIN[] = "not a regular file";
constexpr int LINKS_FOLLOWED = 40;  // as many as the kernel follows before it gives up (ELOOP)

// The folder a name lies in, for its own fsync: what goes before the last slash.
void folderOf(const char* name, char* folder, std::size_t size)
{
    const char* slash = strrchr(name, '/');
    if (!slash)
        snprintf(folder, size, ".");
    else
        snprintf(folder, size, "%.*s", slash == name ? 1 : static_cast<int>(slash - name), name);
}

// Makes the folder a name lies in, and any folder above it that is missing, 0700 each; one
// that is there is left as it is. False, with errno, when one cannot be made.
bool foldersMade(const char* name)
{
    char folder[sizeof WholeFile::name];
    folderOf(name, folder, sizeof folder);
    struct stat found;
    if (stat(folder, &found) == 0)
        return true;  // not a folder: making the file in it says so
    for (char* slash = strchr(folder + 1, '/');; slash = strchr(slash + 1, '/')) {
        if (slash)
            *slash = '\0';
        if (mkdir(folder, 0700) != 0 && errno != EEXIST)
            return false;
        if (!slash)
            return true;
        *slash = '/';
    }
}

// The name a chain of symbolic links ends in, each relative one read from its link's folder,
// as open would follow them: a plain file, something else, or nothing yet. False, with errno,
// on a loop or a name too long.
bool linkFollowed(const char* name, char* target, std::size_t size)
{
    if (snprintf(target, size, "%s", name) >= static_cast<int>(size)) {
        errno = ENAMETOOLONG;
        return false;
    }
    for (int links = 0;; links++) {
        struct stat found;
        if (lstat(target, &found) != 0 || !S_ISLNK(found.st_mode))
            return true;
        char read[sizeof WholeFile::name];
        const ssize_t length = readlink(target, read, sizeof read - 1);
        if (links == LINKS_FOLLOWED || length < 0) {
            errno = length < 0 ? errno : ELOOP;
            return false;
        }
        read[length] = '\0';
        char folder[sizeof WholeFile::name];
        folderOf(target, folder, sizeof folder);
        const int wanted =
            read[0] == '/' ? snprintf(target, size, "%s", read) : snprintf(target, size, "%s/%s", folder, read);
        if (wanted >= static_cast<int>(size)) {
            errno = ENAMETOOLONG;
            return false;
        }
    }
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

bool wholeFileOpen(WholeFile* whole, const char* name, const char** why, WholeFileOwner owner)
{
    snprintf(whole->name, sizeof whole->name, "%s", name);
    whole->file = nullptr;
    const bool players = owner == WholeFileOwner::Player;
    // The link is followed here and only here: what is checked, kept and replaced from now on
    // is the file it named, so a link changed meanwhile is never written through.
    if (players && (!foldersMade(name) || !linkFollowed(name, whole->name, sizeof whole->name))) {
        *why = strerror(errno);
        return false;
    }
    if (!fileTargetUsable(whole->name, why))
        return false;
    struct stat old;
    const bool kept = players && stat(whole->name, &old) == 0;
    // open itself gives a new file the permissions the player's umask leaves of 0666, as any
    // other program's new file gets; a name taken already is simply another try. One that
    // takes the old file's bits is the player's alone until it has them.
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; attempt++) {
        snprintf(whole->part, sizeof whole->part, "%s.%d-%u", whole->name, static_cast<int>(getpid()), attempt);
        fd = open(whole->part, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kept ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd >= 0 && kept && fchmod(fd, old.st_mode & 07777) != 0) {
        const int error = errno;
        close(fd);
        unlink(whole->part);
        fd = -1;
        errno = error;
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
