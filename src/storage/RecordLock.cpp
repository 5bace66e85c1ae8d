#include "storage/RecordLock.h"

#include "storage/DbError.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool setLock(int fd, short type, qint64 rowid)
{
    struct flock lock;
    std::memset(&lock, 0, sizeof lock);
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = rowid;
    lock.l_len = 1;
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

} // namespace

RecordLock::RecordLock(const QString &lockFilePath)
    : path_(lockFilePath)
{
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw DbError(QStringLiteral("Não foi possível abrir o arquivo de travas %1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno))));
}

RecordLock::~RecordLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RecordLock::tryLock(qint64 rowid)
{
    if (setLock(fd_, F_WRLCK, rowid))
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    throw DbError(QStringLiteral("Não foi possível travar registro em %1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno))));
}

void RecordLock::unlock(qint64 rowid)
{
    setLock(fd_, F_UNLCK, rowid);
}
