// Any bytes as one LZRW1-KH block: the decoder must refuse or decode within
// its limit, and the coder must give back what it was given.
#include "backup/BackupReader.h"
#include "backup/Lzrw1kh.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray out;
    if (Lzrw1kh::decompress(bytes, out, BackupReader::MaxBlockOutput) && out.size() > BackupReader::MaxBlockOutput)
        std::abort();

    const QByteArrayView plain = bytes.first(qMin(bytes.size(), Lzrw1kh::MaxInput));
    const QByteArray block = Lzrw1kh::compress(plain);
    if (block.size() > plain.size() + 1)
        std::abort();
    QByteArray back;
    if (!Lzrw1kh::decompress(block, back, Lzrw1kh::MaxInput) || back != plain)
        std::abort();
    return 0;
}
