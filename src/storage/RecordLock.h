#pragma once

#include <QString>

// The record locks of one cursor: one byte per record (offset = rowid) in the
// lock file beside the table, taken with an open-file-description lock. Each
// cursor opens the file itself, so two cursors conflict even inside one
// process, and the kernel drops the locks when the holding process dies.
class RecordLock
{
public:
    explicit RecordLock(const QString &lockFilePath);
    ~RecordLock();
    RecordLock(const RecordLock &) = delete;
    RecordLock &operator=(const RecordLock &) = delete;

    const QString &path() const { return path_; }
    // False when another open file description holds the record; throws
    // DbError when the lock file cannot be opened.
    bool tryLock(qint64 rowid);
    void unlock(qint64 rowid);

private:
    QString path_;
    int fd_ = -1;
};
