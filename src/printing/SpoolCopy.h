#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <thread>

class QFile;

// Sends a finished spool file to the printer's address in the background, so
// the caller goes on at once; one copy at a time, process-wide, because the
// next job reuses the same spool file.
class SpoolCopy : public QObject
{
    Q_OBJECT
public:
    static SpoolCopy &instance();
    ~SpoolCopy() override;

    // Starts copying spoolFile to address. False (the user told) when the
    // spool file cannot be read.
    bool start(const QString &spoolFile, const QString &address);
    // Waits for the running copy, if any; false when it failed (the user
    // has been told).
    bool wait();
    bool running() const { return worker_.joinable(); }

private:
    SpoolCopy() = default;
    void copy(const QString &address);
    bool collect();

    std::thread worker_;
    std::unique_ptr<QFile> source_;
    QString error_;
    quint64 generation_ = 0;
};
