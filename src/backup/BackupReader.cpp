#include "backup/BackupReader.h"

#include "backup/BackupError.h"
#include "backup/BackupText.h"
#include "backup/Lzrw1kh.h"

#include <QtEndian>

#include <algorithm>

namespace {
const QByteArray ChunkMark("ECS\0", 4);
const QByteArray VolumeChangeMark("NEXT:DISK");
// Longer than any path the old or the new file systems allow.
constexpr qint32 MaxNameLength = 4096;
// A compressed block's length fits in 16 bits.
constexpr qint32 MaxBlockLength = 0xFFFF;
} // namespace

QByteArray BackupReader::readBytes(qint64 count)
{
    if (count < 0 || (!volume_->isSequential() && count > volume_->size() - volume_->pos()))
        throw BackupError::readFailed();
    const QByteArray bytes = volume_->read(count);
    if (bytes.size() != count)
        throw BackupError::readFailed();
    return bytes;
}

qint32 BackupReader::readInt() { return qFromLittleEndian<qint32>(readBytes(4).constData()); }

QString BackupReader::readTitle() { return BackupText::decode(readBytes(readInt())); }

BackupReader::Header BackupReader::readHeader()
{
    Header header;
    header.title = readTitle();
    header.totalKiB = readInt();
    header.fileCount = readInt();
    return header;
}

BackupReader::Record BackupReader::readRecord()
{
    Record record;
    const qint32 length = readInt();
    if (length == 0)
        return record;
    if (length < 0 || length > MaxNameLength)
        throw BackupError::invalidType();
    const QByteArray name = readBytes(length);
    if (name.startsWith(VolumeChangeMark)) {
        const QByteArray digits = name.mid(VolumeChangeMark.size());
        const bool numeric = digits.size() == 3 && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!numeric || digits.toInt() < 2)
            throw BackupError::invalidType();
        record.kind = Kind::VolumeChange;
        record.nextVolume = digits.toInt();
        return record;
    }
    // No file system takes control characters in a name.
    if (std::any_of(name.begin(), name.end(), [](char c) { return uchar(c) < 0x20; }))
        throw BackupError::invalidType();
    record.kind = Kind::File;
    record.name = BackupText::decode(name).trimmed();
    record.packedDate = quint32(readInt());
    if (record.name.isEmpty())
        throw BackupError::invalidType();
    return record;
}

qint32 BackupReader::readChunkStart()
{
    if (readBytes(4) != ChunkMark)
        throw BackupError::invalidType();
    const qint32 length = readInt();
    if (length < 0)
        throw BackupError::invalidType();
    return length;
}

bool BackupReader::readChunk(const std::function<bool(const QByteArray &)> &sink)
{
    qint64 left = readChunkStart();
    QByteArray plain;
    while (left > 0) {
        if (left < 4)
            throw BackupError::invalidType();
        const qint32 length = readInt();
        if (length < 1 || length > MaxBlockLength || length > left - 4)
            throw BackupError::invalidType();
        const QByteArray block = readBytes(length);
        left -= qint64(length) + 4;
        if (!Lzrw1kh::decompress(block, plain, MaxBlockOutput))
            throw BackupError::invalidType();
        if (!sink(plain))
            return false;
    }
    return true;
}

void BackupReader::skipChunk()
{
    const qint32 length = readChunkStart();
    if (volume_->isSequential()) {
        readBytes(length);
        return;
    }
    if (length > volume_->size() - volume_->pos() || !volume_->seek(volume_->pos() + length))
        throw BackupError::readFailed();
}
