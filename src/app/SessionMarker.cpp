#include "app/SessionMarker.h"

#include "framework/AppCodes.h"
#include "framework/BrDate.h"
#include "framework/Clock.h"
#include "framework/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SessionMarker {

QString temporaryDirectory()
{
    const QString dir = Session::values().ExeDir + QStringLiteral("Temp/");
    QDir().mkpath(dir);
    return dir;
}

QString path() { return temporaryDirectory() + AppCodes::own() + QStringLiteral(".log"); }

bool exists() { return QFileInfo(path()).isFile(); }

bool create()
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const QByteArray line = (BrDate::dateTimeToStr(Clocks::current().now()) + QLatin1Char('\n')).toUtf8();
    return file.write(line) == line.size() && file.flush();
}

QString startTime()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

void remove()
{
    if (QFile::exists(path()))
        QFile::remove(path());
}

} // namespace SessionMarker
