#include "printing/ReportFileSaver.h"

#include "printing/PrintFileDialogs.h"
#include "printing/PrintMessages.h"
#include "printing/ReportCipher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool write(const QString &name, const QByteArray &bytes)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

bool saveReport(const QString &name, const QByteArray &plainText, const QString &logFile)
{
    if (QFileInfo(name).suffix().toUpper() != QLatin1String("ART"))
        return write(name, plainText);
    QFile log(logFile);
    if (!log.open(QIODevice::ReadOnly))
        return false;
    const QByteArray commands = log.readAll();
    if (log.error() != QFileDevice::NoError)
        return false;
    ReportCipher cipher;
    QByteArray report;
    return cipher.encrypt(commands, &report) && write(name, report);
}

} // namespace

QString ReportFileSaver::filter() { return QString::fromUtf8("Arquivos Texto|*.txt|Arquivo Relatório|*.art"); }

bool ReportFileSaver::save(const QByteArray &plainText, const QString &logFile, const QString &programDir,
                           const QString &proposedName)
{
    PrintFileDialogs::SaveRequest request;
    request.filter = filter();
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("txt");
    request.directory = QDir(programDir).filePath(QStringLiteral("Arquivos"));
    request.proposedName = proposedName;
    QString name = PrintFileDialogs::current().saveFileName(request);
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    if (!saveReport(name, plainText, logFile)) {
        PrintMessages::error(QString::fromUtf8("Não foi possível salvar arquivo!"));
        return false;
    }
    PrintMessages::information(QStringLiteral("Arquivo salvo com sucesso!"));
    return true;
}
