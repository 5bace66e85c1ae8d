#include "printing/PrintCharFilter.h"

#include "printing/PrintCodePage.h"

namespace {

QChar replacement(QChar c, bool ampersandAsIs)
{
    static const struct { const char16_t *from; char16_t to; } table[] = {
        {u"áãâäà", u'a'}, {u"ÁÃÂÄÀ", u'A'}, {u"éêë", u'e'}, {u"ÉÊË", u'E'},
        {u"íîï", u'i'},   {u"ÍÎÏ", u'I'},   {u"óõôö", u'o'}, {u"ÓÕÔÖ", u'O'},
        {u"úûü", u'u'},   {u"ÚÛÜ", u'U'},   {u"ç", u'c'},    {u"Ç", u'C'},
        {u"º", u'o'},     {u"ª", u'a'},     {u"§´`^~'", u' '},
    };
    if (c == u'&')
        return ampersandAsIs ? c : QChar(u'e');
    for (const auto &row : table)
        for (const char16_t *p = row.from; *p; ++p)
            if (c == QChar(*p))
                return QChar(row.to);
    return c;
}

} // namespace

namespace PrintCharFilter {

QByteArray apply(const QString &text, bool ampersandAsIs)
{
    QString filtered = text;
    for (QChar &c : filtered)
        c = replacement(c, ampersandAsIs);
    return PrintCodePage::encode(filtered);
}

} // namespace PrintCharFilter
