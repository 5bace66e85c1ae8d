#include "framework/UniKernix.h"

#include "framework/Clock.h"
#include "framework/Messages.h"

#include <QCryptographicHash>
#include <QDate>

#include <array>

namespace Kernix {

namespace {

struct NamedColor
{
    const char *name;
    quint32 value; // as stored: 0x00BBGGRR, system colours 0x800000nn
};

// Names written back; the first entry with a value is the one written.
constexpr std::array<NamedColor, 48> kColorNames{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000}, {"clPurple", 0x800080},
    {"clTeal", 0x808000}, {"clGray", 0x808080}, {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clLtGray", 0xC0C0C0}, {"clDkGray", 0x808080},
    {"clScrollBar", 0x80000000}, {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002}, {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004}, {"clWindow", 0x80000005}, {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007}, {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009}, {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B}, {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D}, {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F}, {"clBtnShadow", 0x80000010}, {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012}, {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014}, {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016}, {"clInfoText", 0x80000017}, {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
}};

// Classic desktop values of the system colours, as 0xRRGGBB.
constexpr std::array<quint32, 25> kSystemRgb{{
    0xC8C8C8, 0x3A6EA5, 0x0A246A, 0x808080, 0xFFFFFF, 0xFFFFFF, 0x000000,
    0x000000, 0x000000, 0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A,
    0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080, 0x000000, 0xD4D0C8, 0xFFFFFF,
    0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1,
}};

QColor fromStored(quint32 value)
{
    if (value & 0x80000000u) {
        const quint32 index = value & 0xFFu;
        if (index >= kSystemRgb.size())
            return {};
        return QColor::fromRgb(kSystemRgb[index]);
    }
    if (value == 0x1FFFFFFFu || value == 0x20000000u)
        return {};
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// Exact decimal parsing, so that "8,50" never becomes 84 999.
bool parseScaled(const QString &digitsText, qint64 *out)
{
    QString text = digitsText;
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.startsWith(QLatin1Char('-'));
        text.remove(0, 1);
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return false;
    qint64 value = 0;
    for (QChar c : whole) {
        if (!c.isDigit())
            return false;
        if (value > (std::numeric_limits<qint64>::max() / 10 - 10) / 10000)
            return false;
        value = value * 10 + c.digitValue();
    }
    value *= 10000;
    qint64 scale = 1000;
    bool roundUp = false;
    for (qsizetype i = 0; i < fraction.size(); ++i) {
        const QChar c = fraction[i];
        if (!c.isDigit())
            return false;
        if (i < 4) {
            value += c.digitValue() * scale;
            scale /= 10;
        } else if (i == 4) {
            roundUp = c.digitValue() >= 5;
        }
    }
    if (roundUp)
        ++value;
    *out = negative ? -value : value;
    return true;
}

} // namespace

QString ColorToStr(const QColor &color)
{
    if (!color.isValid())
        return QStringLiteral("clNone");
    const quint32 stored = quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
    for (const NamedColor &named : kColorNames)
        if (named.value == stored)
            return QString::fromLatin1(named.name);
    return QStringLiteral("$%1").arg(stored, 8, 16, QLatin1Char('0')).toUpper();
}

QColor StrToColor(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    for (const NamedColor &named : kColorNames)
        if (t.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return fromStored(named.value);
    if (t.compare(QLatin1String("clDefault"), Qt::CaseInsensitive) == 0)
        return {};
    bool ok = false;
    if (t.startsWith(QLatin1Char('$'))) {
        const quint32 value = t.mid(1).toUInt(&ok, 16);
        return ok && t.size() > 1 ? fromStored(value) : QColor();
    }
    if (t.startsWith(QLatin1Char('#'))) {
        const QColor color = QColor::fromString(t);
        return color.isValid() ? color : QColor();
    }
    const qint64 value = t.toLongLong(&ok);
    if (ok && value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<quint32>::max())
        return fromStored(quint32(value));
    return {};
}

QString Subst(const QString &text, QChar separator)
{
    QString result = text;
    for (QChar &c : result)
        if (c == separator || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    return result;
}

QString PrimeiraLetraMaiuscula(const QString &text)
{
    if (text.isEmpty())
        return text;
    return text.left(1).toUpper() + text.mid(1);
}

qint64 StrToFloatDef(const QString &text, qint64 def)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    if (t.contains(QLatin1Char(','))) {
        t.remove(QLatin1Char('.'));
        if (t.count(QLatin1Char(',')) != 1)
            return def;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (t.count(QLatin1Char('.')) > 1) {
        return def;
    }
    qint64 value = 0;
    return parseScaled(t, &value) ? value : def;
}

bool EString(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    t.toLongLong(&ok);
    return !ok;
}

bool TestaData(const QString &text)
{
    if (text.size() != 10 || text[2] != QLatin1Char('/') || text[5] != QLatin1Char('/'))
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!text[i].isDigit())
            return false;
    const int day = text.mid(0, 2).toInt();
    const int month = text.mid(3, 2).toInt();
    const int year = text.mid(6, 4).toInt();
    return year >= 1 && QDate::isValid(year, month, day);
}

void TrataErro(const QString &message, const QString &errorText)
{
    Messages::error(message + QStringLiteral("\r\n") + errorText);
}

QChar Numerico(const QString &current, QChar typed, int decimals, int cursor)
{
    const qsizetype at = cursor < 0 || cursor > current.size() ? current.size() : cursor;
    const qsizetype comma = current.indexOf(QLatin1Char(','));
    if (typed == QLatin1Char(',') || typed == QLatin1Char('.')) {
        if (decimals <= 0 || comma >= 0 || current.size() - at > decimals)
            return QChar();
        return QLatin1Char(',');
    }
    if (!typed.isDigit())
        return QChar();
    if (comma >= 0 && at > comma && current.size() - comma - 1 >= decimals)
        return QChar();
    return typed;
}

void Delay(int ms) { Clocks::current().delay(ms); }

QString Converte(const QString &password, int length)
{
    // A salted digest mapped onto letters and digits that read unambiguously.
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayLiteral("RX-senha:") + password.toUtf8(), QCryptographicHash::Sha256);
    QString result;
    for (int i = 0; i < length; ++i)
        result += QLatin1Char(alphabet[quint8(digest[i % digest.size()]) % 32]);
    return result;
}

} // namespace Kernix
