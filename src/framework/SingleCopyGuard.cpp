#include "framework/SingleCopyGuard.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const char *const kControlFiles[2] = {"Paradox.lck", "Pdoxusrs.lck"};

// True when nobody else holds the file: it is then removed.
bool removeIfFree(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = free && ::unlink(path.constData()) == 0;
    ::close(fd);
    return removed;
}

} // namespace

SingleCopyGuard::~SingleCopyGuard() { release(); }

bool SingleCopyGuard::acquire(const QString &privateDir, QString *blockedFile)
{
    release();
    for (int i = 0; i < 2; ++i) {
        const QString path = QDir(privateDir).filePath(QString::fromLatin1(kControlFiles[i]));
        const QByteArray native = QFile::encodeName(path);
        if (!removeIfFree(native)) {
            if (blockedFile)
                *blockedFile = path;
            release();
            return false;
        }
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (fd >= 0)
                ::close(fd);
            if (blockedFile)
                *blockedFile = path;
            release();
            return false;
        }
        fds_[i] = fd;
    }
    return true;
}

void SingleCopyGuard::release()
{
    for (int &fd : fds_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}
