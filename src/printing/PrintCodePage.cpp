#include "printing/PrintCodePage.h"

#include <QList>
#include <QtEndian>

#include <cerrno>
#include <iconv.h>

namespace {

// unit: the size of one input character, skipped (and replaced by '?') when
// the target cannot hold it.
QByteArray convert(const char *to, const char *from, const QByteArray &in, int unit)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return {};
    QByteArray out(in.size() * 4 + 16, Qt::Uninitialized);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    auto grow = [&] {
        const qsizetype used = dst - out.data();
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = size_t(out.size() - used);
    };
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        const size_t skip = qMin<size_t>(size_t(unit), srcLeft);
        src += skip;
        srcLeft -= skip;
        if (dstLeft < 4)
            grow();
        *dst++ = '?';
        --dstLeft;
    }
    iconv_close(cd);
    out.resize(dst - out.data());
    return out;
}

} // namespace

namespace PrintCodePage {

QByteArray encode(const QString &text)
{
    const QList<uint> points = text.toUcs4();
    QByteArray utf32(points.size() * 4, Qt::Uninitialized);
    for (qsizetype i = 0; i < points.size(); ++i)
        qToLittleEndian<quint32>(points[i], utf32.data() + i * 4);
    return convert("CP1252", "UTF-32LE", utf32, 4);
}

QString decode(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "CP1252", bytes, 1));
}

} // namespace PrintCodePage
