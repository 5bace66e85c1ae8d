#include "backup/Lzrw1kh.h"

#include <array>

namespace {

constexpr unsigned char CodedFlag = 0x40;
constexpr unsigned char StoredFlag = 0x80;
constexpr int MaxOffset = 4095;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;

} // namespace

QByteArray Lzrw1kh::compress(QByteArrayView in)
{
    Q_ASSERT(in.size() <= MaxInput);
    const auto *src = reinterpret_cast<const unsigned char *>(in.data());
    const int n = int(in.size());
    // The hash looks two bytes ahead; past the end those bytes cannot change
    // the output (a match there is cut at n), so zero stands in for them.
    const auto at = [&](int p) -> unsigned { return p < n ? src[p] : 0u; };

    // Coding stops once it passes n, but the last step may add a control word
    // and a run item: up to n + 6 bytes are written.
    QByteArray out(n + 6, '\0');
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    dst[0] = CodedFlag;

    std::array<int, 4096> table;
    table.fill(-1);

    int x = 0;
    int y = 3;
    int controlAt = 1;
    unsigned control = 0;
    int items = 0;
    const auto patchControl = [&] {
        const unsigned word = (control << (16 - items)) & 0xFFFF;
        dst[controlAt] = static_cast<unsigned char>(word >> 8);
        dst[controlAt + 1] = static_cast<unsigned char>(word & 0xFF);
    };

    while (x < n && y <= n) {
        if (items == 16) {
            patchControl();
            controlAt = y;
            y += 2;
            control = 0;
            items = 0;
        }
        int run = 1;
        while (x + run < n && run < MaxRun && src[x + run] == src[x])
            ++run;
        if (run >= MinRun) {
            const int field = run - MinRun;
            dst[y] = 0;
            dst[y + 1] = static_cast<unsigned char>(field >> 8);
            dst[y + 2] = static_cast<unsigned char>(field & 0xFF);
            dst[y + 3] = src[x];
            y += 4;
            x += run;
            control = (control << 1) | 1;
            ++items;
            continue;
        }
        const unsigned h = ((40543u * ((at(x) << 8) ^ (at(x + 1) << 4) ^ at(x + 2))) >> 4) & 0x0FFF;
        const int candidate = table[h];
        table[h] = x;
        if (candidate != -1 && x - candidate <= MaxOffset) {
            int length = 0;
            while (length < MaxMatch && x + length < n && src[x + length] == src[candidate + length])
                ++length;
            if (length >= MinMatch) {
                const unsigned word = unsigned(x - candidate) * 16 + unsigned(length - MinMatch);
                dst[y] = static_cast<unsigned char>(word >> 8);
                dst[y + 1] = static_cast<unsigned char>(word & 0xFF);
                y += 2;
                x += length;
                control = (control << 1) | 1;
                ++items;
                continue;
            }
        }
        dst[y++] = src[x++];
        control <<= 1;
        ++items;
    }
    patchControl();

    if (y > n) {
        QByteArray stored;
        stored.reserve(n + 1);
        stored.append(char(StoredFlag));
        stored.append(in.data(), n);
        return stored;
    }
    out.truncate(y);
    return out;
}

bool Lzrw1kh::decompress(QByteArrayView block, QByteArray &out, qsizetype maxOutput)
{
    out.clear();
    const auto *src = reinterpret_cast<const unsigned char *>(block.data());
    const qsizetype size = block.size();
    if (size < 1)
        return false;
    if (src[0] == StoredFlag) {
        if (size - 1 > maxOutput)
            return false;
        out = block.sliced(1).toByteArray();
        return true;
    }
    if (size < 3)
        return false;

    out.reserve(maxOutput);
    unsigned control = unsigned(src[1]) << 8 | src[2];
    int bits = 16;
    qsizetype x = 3;
    while (x < size) {
        if (bits == 0) {
            if (x + 2 > size)
                return false;
            control = unsigned(src[x]) << 8 | src[x + 1];
            x += 2;
            bits = 16;
            // The word announces at least one item.
            if (x >= size)
                return false;
        }
        if ((control & 0x8000) == 0) {
            if (out.size() >= maxOutput)
                return false;
            out.append(char(src[x]));
            x += 1;
        } else {
            if (x + 2 > size)
                return false;
            const qsizetype offset = qsizetype(src[x]) << 4 | src[x + 1] >> 4;
            if (offset == 0) {
                if (x + 4 > size)
                    return false;
                const qsizetype count = (qsizetype(src[x + 1]) << 8 | src[x + 2]) + MinRun;
                if (count > maxOutput - out.size())
                    return false;
                out.append(count, char(src[x + 3]));
                x += 4;
            } else {
                const qsizetype length = (src[x + 1] & 15) + MinMatch;
                if (offset > out.size() || length > maxOutput - out.size())
                    return false;
                // One byte at a time: the source may overlap what is being written.
                qsizetype from = out.size() - offset;
                for (qsizetype i = 0; i < length; ++i)
                    out.append(out.at(from++));
                x += 2;
            }
        }
        control = (control << 1) & 0xFFFF;
        --bits;
    }
    return true;
}
