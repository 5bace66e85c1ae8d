#include "printing/ReportCipher.h"

#include <QtEndian>

#include <gcrypt.h>

#include <mutex>

namespace {

constexpr char passPhrase[] = "Pq7#vL2m!Rx9&Tz4@Hn5";
static_assert(sizeof(passPhrase) - 1 == 20);
constexpr int saltSize = 16;
constexpr int blockSize = 8;
constexpr int keySize = 16;
constexpr unsigned long iterations = 20000;
constexpr int headerSize = 8 + saltSize + blockSize + 4;

void initialise()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (!gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P)) {
            gcry_check_version(nullptr);
            gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
            gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        }
    });
}

QString text(gcry_error_t error) { return QString::fromUtf8(gcry_strerror(error)); }

// Runs the cipher over data in place.
gcry_error_t run(bool encrypt, const QByteArray &salt, const QByteArray &iv, QByteArray *data)
{
    unsigned char key[keySize];
    gcry_error_t error = gcry_kdf_derive(passPhrase, sizeof(passPhrase) - 1, GCRY_KDF_PBKDF2, GCRY_MD_SHA256,
                                         salt.constData(), size_t(salt.size()), iterations, keySize, key);
    if (error)
        return error;
    gcry_cipher_hd_t handle = nullptr;
    error = gcry_cipher_open(&handle, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_CBC, GCRY_CIPHER_CBC_CTS);
    if (!error)
        error = gcry_cipher_setkey(handle, key, keySize);
    if (!error)
        error = gcry_cipher_setiv(handle, iv.constData(), size_t(iv.size()));
    if (!error)
        error = encrypt ? gcry_cipher_encrypt(handle, data->data(), size_t(data->size()), nullptr, 0)
                        : gcry_cipher_decrypt(handle, data->data(), size_t(data->size()), nullptr, 0);
    gcry_cipher_close(handle);
    return error;
}

} // namespace

QByteArray ReportCipher::magic() { return QByteArrayLiteral("RXART001"); }

bool ReportCipher::isReport(const QByteArray &bytes)
{
    return bytes.size() >= headerSize + blockSize && bytes.startsWith(magic());
}

bool ReportCipher::encrypt(const QByteArray &plain, QByteArray *report)
{
    initialise();
    QByteArray salt(saltSize, Qt::Uninitialized);
    QByteArray iv(blockSize, Qt::Uninitialized);
    gcry_randomize(salt.data(), saltSize, GCRY_STRONG_RANDOM);
    gcry_create_nonce(iv.data(), blockSize);
    // Ciphertext stealing needs at least one whole block.
    QByteArray data = plain;
    if (data.size() < blockSize)
        data.append(QByteArray(blockSize - data.size(), '\0'));
    if (const gcry_error_t error = run(true, salt, iv, &data)) {
        error_ = text(error);
        return false;
    }
    char length[4];
    qToBigEndian<quint32>(quint32(plain.size()), length);
    *report = magic() + salt + iv + QByteArray(length, 4) + data;
    return true;
}

bool ReportCipher::decrypt(const QByteArray &report, QByteArray *plain)
{
    initialise();
    if (!isReport(report)) {
        error_ = QStringLiteral("not a report file");
        return false;
    }
    const QByteArray salt = report.mid(8, saltSize);
    const QByteArray iv = report.mid(8 + saltSize, blockSize);
    const quint32 length = qFromBigEndian<quint32>(report.constData() + 8 + saltSize + blockSize);
    QByteArray data = report.mid(headerSize);
    if (length > quint32(data.size())) {
        error_ = QStringLiteral("report file cut short");
        return false;
    }
    if (const gcry_error_t error = run(false, salt, iv, &data)) {
        error_ = text(error);
        return false;
    }
    data.truncate(qsizetype(length));
    *plain = data;
    return true;
}
