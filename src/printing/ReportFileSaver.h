#pragma once

#include <QByteArray>
#include <QString>

// The save dialog of a finished job: plain text (".txt") or the enciphered
// command log (".art"), with the user told how it went.
class ReportFileSaver
{
public:
    static QString filter();

    // plainText: what a ".txt" choice writes; logFile: the command log a
    // ".art" choice enciphers. False when nothing was saved (cancelled or failed).
    static bool save(const QByteArray &plainText, const QString &logFile, const QString &programDir,
                     const QString &proposedName);
};
