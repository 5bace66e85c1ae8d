#pragma once

#include <QString>

// Refuses a second copy of the program on the same computer. The engine's
// control files in the private directory are removed at start and then held
// under an exclusive lock for the whole run; a copy that finds one it cannot
// lock knows another copy is running.
class SingleCopyGuard
{
public:
    SingleCopyGuard() = default;
    ~SingleCopyGuard();
    SingleCopyGuard(const SingleCopyGuard &) = delete;
    SingleCopyGuard &operator=(const SingleCopyGuard &) = delete;

    // false: another copy holds blockedFile (its full path).
    bool acquire(const QString &privateDir, QString *blockedFile);
    void release();
    bool held() const { return fds_[0] >= 0; }

private:
    int fds_[2] = {-1, -1};
};
