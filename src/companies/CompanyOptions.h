#pragma once

#include <QString>

// The company's packed flag strings cfg_emp and lfc_emp, one character a
// position (1-based as their layouts number them). Boxes the window shows
// write their positions; every other position keeps what was stored, since
// the sibling programs own them.
class CompanyOptions
{
public:
    static constexpr int cfgLength = 87;
    static constexpr int lfcLength = 20;

    // A new company: every flag "N", with the fixed and "empty" values of
    // the positions that are not flags.
    static CompanyOptions forNewCompany();
    // A stored company; short strings are completed with the new company's values.
    CompanyOptions(const QString &cfg, const QString &lfc);

    QString cfg() const { return cfg_; }
    QString lfc() const { return lfc_; }

    bool cfgFlag(int position) const { return cfg_.at(position - 1) == QLatin1Char('S'); }
    void setCfgFlag(int position, bool on) { setCfg(position, on ? QStringLiteral("S") : QStringLiteral("N")); }
    void setCfg(int position, const QString &characters);
    bool lfcFlag(int position) const { return lfc_.at(position - 1) == QLatin1Char('S'); }

    // The positions the program itself fixes, whatever is stored.
    void applyFixed();

    // tip_emp for the modality letter chosen: "Simples Nacional" (lfc 19)
    // stores "G" unless the company is not a taxpayer ("0").
    QString companyType(QChar modality) const;

    // Positions of the boxes on "Complemento".
    enum Position { CodCli = 1, Issqn = 5, Ipi = 6, SimNac = 19 };

private:
    CompanyOptions() = default;
    QString cfg_;
    QString lfc_;
};
