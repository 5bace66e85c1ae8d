// Any bytes as the first volume of a backup: the reader must walk it or stop
// with a BackupError, and no stored name may lead out of the restore folders.
#include "backup/BackupError.h"
#include "backup/BackupReader.h"
#include "backup/StoredPath.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer volume(&bytes);
    volume.open(QIODevice::ReadOnly);
    BackupReader reader(&volume);
    try {
        reader.readHeader();
        for (int record = 0;; ++record) {
            const BackupReader::Record r = reader.readRecord();
            if (r.kind != BackupReader::Kind::File)
                break;
            const StoredPath stored(r.name);
            const QString relative = stored.relativeName();
            if (!relative.isEmpty()
                && (!(relative.startsWith(QLatin1String("Tabelas/"), Qt::CaseInsensitive)
                      || relative.startsWith(QLatin1String("Reports/"), Qt::CaseInsensitive))
                    || relative.split(QLatin1Char('/')).contains(QLatin1String(".."))))
                std::abort();
            stored.inFolders({QStringLiteral("Tabelas"), QStringLiteral("Tabelas\\001")});
            qsizetype total = 0;
            const auto sink = [&](const QByteArray &plain) {
                if (plain.size() > BackupReader::MaxBlockOutput)
                    std::abort();
                total += plain.size();
                return true;
            };
            if (record % 2)
                reader.skipChunk();
            else
                reader.readChunk(sink);
        }
    } catch (const BackupError &) {
    }
    return 0;
}
