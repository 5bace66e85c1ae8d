#include "framework/Theme.h"

#include "framework/IniFile.h"
#include "framework/Session.h"
#include "framework/UniTabPadroes.h"
#include "storage/PathCase.h"

#include <QFileInfo>

Theme::Theme(const QString &themeFile) : path_(themeFile)
{
    exists_ = !themeFile.trimmed().isEmpty() && QFileInfo(themeFile).isFile();
}

QString Theme::file(const QString &section, const QString &key) const
{
    if (!exists_)
        return {};
    IniFile ini(path_);
    if (!ini.load())
        return {};
    const QString name = ini.value(section, key).trimmed();
    if (name.isEmpty())
        return {};
    const QString bitmaps = PathCase::resolve(Session::values().ExeDir, QStringLiteral("bitmaps"));
    const QString full = PathCase::resolve(bitmaps, name);
    return QFileInfo(full).isFile() ? full : QString();
}

QIcon Theme::windowIcon(const QString &name)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return {};
    const Table &op = global->TbOpr;
    if (op.isEmpty() || op.asString(QStringLiteral("cit_opr")) != QLatin1String("S"))
        return {};
    const QString file = Theme(op.asString(QStringLiteral("tem_opr"))).file(QStringLiteral("Icones"), name);
    return file.isEmpty() ? QIcon() : QIcon(file);
}
