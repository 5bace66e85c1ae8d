#include "framework/IntegrityChecker.h"

#include "framework/BrDate.h"
#include "framework/Clock.h"
#include "framework/Session.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/SqlConnection.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

void report(const QString &appCode, const QStringList &lines)
{
    QFile file(IntegrityChecker::reportPath(appCode));
    if (!file.open(QIODevice::Append))
        return;
    const QString stamp = BrDate::dateTimeToStr(Clocks::current().now()) + QLatin1Char(' ');
    for (const QString &line : lines)
        file.write((stamp + line + QStringLiteral("\r\n")).toUtf8());
}

// The file as it is on disk: the path asked for, or the same name in another case.
QString existing(const QString &tablePath)
{
    QString path = tablePath;
    if (!path.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        path += QStringLiteral(".db");
    const QFileInfo info(path);
    return PathCase::resolve(info.absolutePath(), info.fileName());
}

} // namespace

QString IntegrityChecker::reportPath(const QString &appCode)
{
    return Session::values().ExeDir + appCode + QStringLiteral("IntDB.log");
}

bool IntegrityChecker::CheckTable(const QString &tablePath, const QString &programDir, const QString &appCode)
{
    Q_UNUSED(programDir);
    const QString path = existing(tablePath);
    if (!QFileInfo(path).isFile()) {
        report(appCode, {path + QStringLiteral(": arquivo não encontrado; será criado.")});
        return true;
    }
    QStringList findings = TableFile::integrityCheck(path);
    if (findings.isEmpty()) {
        report(appCode, {path + QStringLiteral(": OK")});
        return true;
    }
    QStringList lines = findings;
    // Index damage is the common kind after a power cut and is safe to
    // repair: indexes are rebuilt from the records.
    try {
        SqlConnection db(path);
        db.exec(QStringLiteral("REINDEX"));
    } catch (const DbError &e) {
        lines << path + QStringLiteral(": não foi possível reconstruir os índices: ") + e.message();
    }
    findings = TableFile::integrityCheck(path);
    if (findings.isEmpty()) {
        lines << path + QStringLiteral(": índices reconstruídos; arquivo em ordem.");
        report(appCode, lines);
        return true;
    }
    lines << findings;
    lines << path + QStringLiteral(": arquivo danificado; a tabela não pode ser usada.");
    report(appCode, lines);
    return false;
}
