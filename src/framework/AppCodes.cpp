#include "framework/AppCodes.h"

#include "storage/PathCase.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

namespace AppCodes {

QString codeFor(const QString &executableName)
{
    struct Entry { const char *name; const char *code; };
    static constexpr std::array<Entry, 16> table{{
        {"Remetix", "RX"}, {"Ledger", "LG"}, {"Treasury", "TY"}, {"Till", "TL"},
        {"Trade", "TD"}, {"Taxbook", "TX"}, {"Levy", "LV"}, {"Regime", "RG"},
        {"Service", "SV"}, {"Steward", "SW"}, {"Shaper", "SH"}, {"Bulwark", "BW"},
        {"Counter", "CTR"}, {"Budget", "BG"}, {"Depot", "DP"}, {"Roster", "RS"},
    }};
    const QString file = QFileInfo(executableName).fileName();
    QString base = file;
    if (base.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    for (const Entry &entry : table)
        if (base.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(entry.code);
    return file;
}

} // namespace AppCodes

namespace {
const InstalledApplications *g_current = nullptr;
}

InstalledApplications InstalledApplications::load(const QString &tabelasDir)
{
    InstalledApplications list;
    list.codes_.insert(AppCodes::own());
    QFile file(PathCase::resolve(tabelasDir, fileName()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return list;
    while (!file.atEnd()) {
        const QString code = QString::fromUtf8(file.readLine()).trimmed().toUpper();
        if (!code.isEmpty())
            list.codes_.insert(code);
    }
    return list;
}

bool InstalledApplications::write(const QString &tabelasDir, const QStringList &codes, QString *error)
{
    QStringList lines{AppCodes::own()};
    for (const QString &code : codes)
        if (!lines.contains(code.toUpper()))
            lines << code.toUpper();
    QSaveFile file(PathCase::resolve(tabelasDir, fileName()));
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void InstalledApplications::setCurrent(const InstalledApplications *list) { g_current = list; }

const InstalledApplications *InstalledApplications::current() { return g_current; }

bool ApplicationInstalled(const QString &executableName)
{
    const InstalledApplications *list = InstalledApplications::current();
    return list && list->contains(AppCodes::codeFor(executableName));
}
