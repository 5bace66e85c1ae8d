#pragma once

#include <QString>

// The parallel printer's state before a job.
class PrinterStatus
{
public:
    // Ready: bit 7 (not busy) and bit 4 (selected) of the port's status byte.
    static bool isReady(int statusByte);
    // Reads /dev/lpN's status byte; false when it cannot be read.
    static bool read(int port, int *statusByte);
    // The check before a job on printerPort: ready, not ready, or, when the
    // state cannot be read, what the user answers to going on without it.
    static bool check(const QString &printerPort);
};
