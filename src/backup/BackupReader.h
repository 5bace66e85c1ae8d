#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

// Walks the records of one volume of the older backup file. Every fault of
// the bytes is a BackupError: data that ends early "Não foi possível ler
// arquivo", data that cannot be what the writer wrote "Tipo de arquivo inválido".
class BackupReader
{
public:
    // The largest block a backup holds once decompressed (the old writer read
    // its source files in pieces of up to this size).
    static constexpr qsizetype MaxBlockOutput = 32773;

    struct Header
    {
        QString title;
        qint32 totalKiB = 0;
        qint32 fileCount = 0;
    };

    enum class Kind { File, VolumeChange, End };
    struct Record
    {
        Kind kind = Kind::End;
        QString name;          // File: the source path as stored
        quint32 packedDate = 0; // File: packed file date-time
        int nextVolume = 0;     // VolumeChange: number of the volume that follows
    };

    explicit BackupReader(QIODevice *volume) : volume_(volume) {}
    void setVolume(QIODevice *volume) { volume_ = volume; }

    // Only the title at the start of the header.
    QString readTitle();
    Header readHeader();
    Record readRecord();

    // Reads one chunk and hands each decompressed block to sink; sink answers
    // false to stop. Answers false when it was stopped.
    bool readChunk(const std::function<bool(const QByteArray &)> &sink);
    // Reads over one chunk without decoding it.
    void skipChunk();

private:
    QByteArray readBytes(qint64 count);
    qint32 readInt();
    qint32 readChunkStart();

    QIODevice *volume_;
};
