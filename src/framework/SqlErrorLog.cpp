#include "framework/SqlErrorLog.h"

#include "framework/BrDate.h"
#include "framework/Clock.h"
#include "framework/Session.h"
#include "storage/PathCase.h"

#include <QDir>
#include <QSaveFile>

namespace SqlErrorLog {

QString path()
{
    const SessionValues &session = Session::values();
    QString dir = session.CompanyDir;
    if (dir.isEmpty() && !session.ProgramDir.isEmpty())
        dir = PathCase::resolve(session.ProgramDir, QStringLiteral("Tabelas"));
    if (dir.isEmpty())
        return {};
    return PathCase::resolve(dir, QStringLiteral("ErrosSQL.txt"));
}

void write(const QString &queryName, const QString &formName, const QString &sqlText)
{
    const QString file = path();
    if (file.isEmpty())
        return;
    QStringList lines{
        QStringLiteral("Consulta  : ") + queryName,
        QStringLiteral("Form      : ") + formName,
        QStringLiteral("Data/Hora : ") + BrDate::dateTimeToStr(Clocks::current().now()),
        QStringLiteral("Operador  : ") + Session::values().OperatorName,
        QStringLiteral("Texto SQL :"),
        QString(),
    };
    lines << sqlText.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    out.commit();
}

} // namespace SqlErrorLog
