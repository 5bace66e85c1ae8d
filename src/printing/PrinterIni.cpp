#include "printing/PrinterIni.h"

#include <QDir>
#include <QFile>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

QString PrinterIni::fileName(const QString &exeDir) { return QDir(exeDir).filePath(QStringLiteral("Impressoras.ini")); }

QString PrinterIni::value(const QString &exeDir, const QString &key)
{
    QFile file(fileName(exeDir));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    // Section and key names compare without regard to case, as the old
    // installations wrote them.
    CSimpleIniA ini;
    if (ini.LoadData(bytes.constData(), size_t(bytes.size())) < 0)
        return {};
    return QString::fromUtf8(ini.GetValue("CONFIGURACOES", key.toUtf8().constData(), ""));
}
