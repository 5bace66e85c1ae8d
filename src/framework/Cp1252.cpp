#include "framework/Cp1252.h"

#include <QList>
#include <QStringDecoder>
#include <QtEndian>

#include <cerrno>
#include <iconv.h>

namespace {

// Runs iconv over the whole input; an unconvertible character is replaced
// (encoding) or skipped (decoding never meets one: cp1252 maps every byte
// that glibc knows).
QByteArray convert(const char *to, const char *from, const QByteArray &in, const QByteArray &replacement, int unit)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return {};
    QByteArray out;
    out.resize(in.size() * 4 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
            break;
        if (errno == E2BIG) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = size_t(out.size() - used);
            continue;
        }
        // EILSEQ / EINVAL: skip one input unit and put the replacement.
        const size_t skip = qMin<size_t>(size_t(unit), srcLeft);
        src += skip;
        srcLeft -= skip;
        if (dstLeft < size_t(replacement.size())) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = size_t(out.size() - used);
        }
        for (char c : replacement) {
            *dst++ = c;
            --dstLeft;
        }
    }
    iconv_close(cd);
    out.resize(dst - out.data());
    return out;
}

} // namespace

namespace Cp1252 {

QString decode(const QByteArray &bytes)
{
    const QByteArray utf8 = convert("UTF-8", "CP1252", bytes, QByteArrayLiteral("?"), 1);
    return QString::fromUtf8(utf8);
}

QByteArray encode(const QString &text, char replacement)
{
    // UTF-32 input, so a skipped unit is always one whole character.
    QByteArray utf32;
    const QList<uint> points = text.toUcs4();
    utf32.resize(points.size() * 4);
    for (qsizetype i = 0; i < points.size(); ++i)
        qToLittleEndian<quint32>(points[i], utf32.data() + i * 4);
    return convert("CP1252", "UTF-32LE", utf32, QByteArray(1, replacement), 4);
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString ignored = decoder.decode(bytes);
    Q_UNUSED(ignored);
    return !decoder.hasError();
}

} // namespace Cp1252
