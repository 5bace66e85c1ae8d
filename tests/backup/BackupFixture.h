#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Hand-built backups in the layout the old Windows program wrote, and a
// snapshot of a folder tree to show that a failed restore left it alone.
namespace BackupFixture {

struct StoredFile
{
    QString name;          // as the writer stored it, e.g. "C:\REMETIX\TABELAS\TBEMP.DB"
    QByteArray data;
    quint32 packedDate = 0x5B8A4C20; // 10/12/2025 09:33:00
};

QByteArray le32(qint32 value);
// One chunk holding data in blocks of 32768 bytes.
QByteArray chunk(const QByteArray &data);
QByteArray fileRecord(const StoredFile &file);
QByteArray header(const QByteArray &title, qint32 totalKiB, qint32 fileCount);
// Header, every file with one chunk, end record.
QByteArray backup(const QList<StoredFile> &files, const QByteArray &title = "Backup de teste");

bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Random bytes (incompressible), fixed by seed.
QByteArray noise(int size, quint32 seed);

// Every file below root: relative path -> contents.
QMap<QString, QByteArray> tree(const QString &root);

} // namespace BackupFixture
