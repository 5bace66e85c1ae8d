#include "testsupport/TempInstallation.h"

#include "framework/InstallationBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

TempInstallation::TempInstallation() { QDir().mkpath(exeDir()); }

void TempInstallation::makeTabelas() const { QDir().mkpath(tabelasDir()); }

bool TempInstallation::initData() const
{
    QString error;
    const bool built = InstallationBuilder::build(dataRoot(), &error);
    if (!built)
        qWarning("installation not built: %s", qPrintable(error));
    return built;
}

void TempInstallation::writeConfig(const QByteArray &bytes) const
{
    QFile file(configFile());
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void TempInstallation::writeStandardConfig() const
{
    writeConfig(QByteArrayLiteral("[BD]\r\nLOCAL=") + dataRoot().toUtf8() + QByteArrayLiteral("\r\n"));
}

QByteArray TempInstallation::readConfig() const
{
    QFile file(configFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString binaryPath(const QString &name)
{
    QString dir = qEnvironmentVariable("REMETIX_BIN_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return QDir(dir).filePath(name);
}
