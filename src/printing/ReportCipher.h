#pragma once

#include <QByteArray>
#include <QString>

// The report file (".art"): a job's command log enciphered with Blowfish in
// CBC mode with ciphertext stealing, so the file is as long as the log plus
// a small header:
//   8 bytes  magic "RXART001"
//  16 bytes  salt of the key derivation
//   8 bytes  initial vector (random per file)
//   4 bytes  length of the plain text, big-endian
//   the cipher text (at least one block; a shorter log is padded with NULs)
// The key is derived from the program's pass phrase with PBKDF2-SHA256.
class ReportCipher
{
public:
    static QByteArray magic();
    static bool isReport(const QByteArray &bytes);

    // False with errorText() when the cipher library refuses.
    bool encrypt(const QByteArray &plain, QByteArray *report);
    bool decrypt(const QByteArray &report, QByteArray *plain);
    QString errorText() const { return error_; }

private:
    QString error_;
};
