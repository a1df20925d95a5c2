#include "FileModes.h"

#include "DataFolder.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filemodes {
namespace {

bool lstatOf(const QString &path, struct stat &st)
{
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

mode_t fileMode(const QString &dataFolder)
{
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat folder {};
    if (::stat(QFile::encodeName(dataFolder).constData(), &folder) == 0) {
        if (folder.st_mode & S_IRGRP)
            mode |= S_IRGRP;
        if (folder.st_mode & S_IWGRP)
            mode |= S_IWGRP;
    }
    struct stat book {};
    if (lstatOf(datafolder::mainDatabase(dataFolder), book) && S_ISREG(book.st_mode))
        mode &= (book.st_mode & (S_IRGRP | S_IWGRP)) | S_IRUSR | S_IWUSR;
    return mode;
}

mode_t folderMode(const QString &dataFolder)
{
    const mode_t file = fileMode(dataFolder);
    mode_t mode = S_IRWXU;
    if (file & S_IRGRP)
        mode |= S_IRGRP | S_IXGRP;
    if (file & S_IWGRP)
        mode |= S_IWGRP;
    struct stat folder {};
    if (::stat(QFile::encodeName(dataFolder).constData(), &folder) == 0 && (folder.st_mode & S_ISGID))
        mode |= S_ISGID;
    return mode;
}

bool restrictFile(const QString &path, const QString &dataFolder)
{
    return setFileMode(path, fileMode(dataFolder));
}

bool setFileMode(const QString &path, mode_t mode)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::fchmod(fd, mode) == 0;
    ::close(fd);
    return ok;
}

bool makeFolder(const QString &path, const QString &dataFolder)
{
    const mode_t mode = folderMode(dataFolder);
    const QByteArray p = QFile::encodeName(path);
    if (::mkdir(p.constData(), mode) != 0)
        return false;
    // mkdir takes the umask off; the folder gets exactly its mode. Opened
    // without following a link, in case the name was swapped meanwhile.
    const int fd = ::open(p.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fchmod(fd, mode) == 0;
    ::close(fd);
    return ok;
}

bool isSymLink(const QString &path)
{
    struct stat st {};
    return lstatOf(path, st) && S_ISLNK(st.st_mode);
}

bool isRealFolder(const QString &path)
{
    struct stat st {};
    return lstatOf(path, st) && S_ISDIR(st.st_mode);
}

} // namespace filemodes
