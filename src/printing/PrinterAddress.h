#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

// Where an address sends the printer bytes:
//   "LPT1".."LPT9"                 the parallel ports /dev/lp0../dev/lp8
//   "/path", "./path"              a file or device, written directly
//   "socket://host[:port]", "host:port"  a network printer's raw port (9100)
//   any other name                 a print queue of the system's spooler
class PrinterAddress
{
public:
    enum Kind { Path, Parallel, Socket, Queue };

    static Kind kind(const QString &address);
    // The device of "LPTn", the path itself for a path; empty otherwise.
    static QString devicePath(const QString &address);
    // Port number 0..8 from the first four characters of a port name;
    // anything but "LPT1".."LPT9" is port 0.
    static int parallelPort(const QString &port);

    // The open output for address, or null with error set to the system's text.
    static std::unique_ptr<QIODevice> open(const QString &address, const QString &jobTitle, QString *error);

    // For a file path, creates every missing directory level of its folder,
    // telling the user when that fails. Addresses that are not paths need
    // nothing and answer true.
    static bool ensureDirectory(const QString &address);

private:
    static bool parseSocket(const QString &address, QString *host, quint16 *port);
};
