#include "companies/CompanyOptions.h"

namespace {

QString newCfg()
{
    QString cfg(CompanyOptions::cfgLength, QLatin1Char('N'));
    const auto put = [&](int pos, const char *text) { cfg.replace(pos - 1, int(qstrlen(text)), QLatin1String(text)); };
    put(7, "S");
    put(12, "9");
    put(21, " ");
    put(22, "B");
    put(23, "    ");
    put(28, " ");
    put(73, "0");
    put(76, "  ");
    put(83, " ");
    return cfg;
}

QString newLfc()
{
    QString lfc(CompanyOptions::lfcLength, QLatin1Char('N'));
    lfc[8] = QLatin1Char('0');
    lfc[19] = QLatin1Char('0');
    return lfc;
}

QString completed(const QString &stored, const QString &defaults)
{
    if (stored.size() >= defaults.size())
        return stored;
    return stored + defaults.mid(stored.size());
}

} // namespace

CompanyOptions CompanyOptions::forNewCompany()
{
    CompanyOptions o;
    o.cfg_ = newCfg();
    o.lfc_ = newLfc();
    return o;
}

CompanyOptions::CompanyOptions(const QString &cfg, const QString &lfc)
    : cfg_(completed(cfg, newCfg())), lfc_(completed(lfc, newLfc()))
{
}

void CompanyOptions::setCfg(int position, const QString &characters)
{
    cfg_.replace(position - 1, characters.size(), characters);
}

void CompanyOptions::applyFixed()
{
    cfg_[6] = QLatin1Char('S');
    cfg_[9] = QLatin1Char('N');
    lfc_.replace(0, 5, QStringLiteral("NNNNN"));
}

QString CompanyOptions::companyType(QChar modality) const
{
    if (lfcFlag(SimNac) && modality != QLatin1Char('0'))
        return QStringLiteral("G");
    return QString(modality);
}
