#pragma once

#include <QString>

// Reads the workstation's printer settings file ("Impressoras.ini" in the
// program's folder), section "CONFIGURACOES".
class PrinterIni
{
public:
    static QString fileName(const QString &exeDir);
    // The key's value, empty when the file or the key is missing.
    static QString value(const QString &exeDir, const QString &key);
};
