#include "BackupFixture.h"

#include "backup/Lzrw1kh.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtEndian>

namespace BackupFixture {

QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray &data)
{
    QByteArray blocks;
    for (qsizetype at = 0; at < data.size(); at += Lzrw1kh::MaxInput) {
        const QByteArray block = Lzrw1kh::compress(QByteArrayView(data).sliced(at, qMin(Lzrw1kh::MaxInput, data.size() - at)));
        blocks += le32(qint32(block.size())) + block;
    }
    return QByteArray("ECS\0", 4) + le32(qint32(blocks.size())) + blocks;
}

QByteArray fileRecord(const StoredFile &file)
{
    const QByteArray name = file.name.toLatin1();
    return le32(qint32(name.size())) + name + le32(qint32(file.packedDate));
}

QByteArray header(const QByteArray &title, qint32 totalKiB, qint32 fileCount)
{
    return le32(qint32(title.size())) + title + le32(totalKiB) + le32(fileCount);
}

QByteArray backup(const QList<StoredFile> &files, const QByteArray &title)
{
    qint32 total = 0;
    for (const StoredFile &file : files)
        total += qint32(file.data.size() / 1024);
    QByteArray bytes = header(title, total, qint32(files.size()));
    for (const StoredFile &file : files)
        bytes += fileRecord(file) + chunk(file.data);
    return bytes + le32(0);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

QMap<QString, QByteArray> tree(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(base.relativeFilePath(path), it.fileInfo().isDir() ? QByteArray("<dir>") : readFile(path));
    }
    return files;
}

} // namespace BackupFixture
