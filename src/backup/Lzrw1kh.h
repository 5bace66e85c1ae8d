#pragma once

#include <QByteArray>
#include <QByteArrayView>

// One block of the LZRW1-KH format, byte for byte as the published unit writes
// it: flag byte 0x40 (coded) or 0x80 (stored), then big-endian control words
// each followed by up to 16 literal, copy or run items. Blocks are independent.
class Lzrw1kh
{
public:
    // The position table holds signed 16-bit positions, so a block takes at
    // most this many input bytes.
    static constexpr qsizetype MaxInput = 32768;

    // in.size() must not exceed MaxInput. The result is never longer than
    // in.size() + 1 (a block that would grow is stored instead).
    static QByteArray compress(QByteArrayView in);

    // Decodes one block into out. false (out unspecified) when the block is
    // malformed: empty, a truncated control word or item, a copy reaching
    // before the start of the output, or output beyond maxOutput bytes.
    static bool decompress(QByteArrayView block, QByteArray &out, qsizetype maxOutput);
};
