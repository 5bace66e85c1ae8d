#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away installation: an executable directory (where the program's
// configuration lives) and a data root with its "Tabelas" directory.
class TempInstallation
{
public:
    TempInstallation();

    bool isValid() const { return dir_.isValid(); }
    QString root() const { return dir_.path() + QLatin1Char('/'); }
    QString exeDir() const { return root() + QStringLiteral("bin/"); }
    QString dataRoot() const { return root() + QStringLiteral("dados/"); }
    QString tabelasDir() const { return dataRoot() + QStringLiteral("Tabelas/"); }
    // The path the program would run from, so configuration and private
    // directory fall in exeDir().
    QString programPath() const { return exeDir() + QStringLiteral("remetix"); }
    QString configFile() const { return exeDir() + QStringLiteral("remetix.ini"); }

    void makeTabelas() const;
    // A complete new installation in dataRoot(), built as `remetix-cli init` builds it.
    bool initData() const;
    // Writes the configuration file with raw bytes.
    void writeConfig(const QByteArray &bytes) const;
    // A configuration pointing at dataRoot().
    void writeStandardConfig() const;
    QByteArray readConfig() const;

private:
    QTemporaryDir dir_;
};

// Where the project's programs were built (remetix, remetix-cli, helpers).
QString binaryPath(const QString &name);
