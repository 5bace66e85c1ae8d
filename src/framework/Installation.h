#pragma once

#include "framework/SingleCopyGuard.h"

#include <QString>

// Where the program finds its files, and the start-up that runs before
// anything else: date format, data root from the configuration file, the
// engine's private directory and the single-copy guard.
class Installation
{
public:
    // executablePath: the running program (the command line passes the
    // program's path beside it, so both read the same configuration).
    explicit Installation(const QString &executablePath);
    ~Installation();

    QString exeDir() const { return exeDir_; }            // trailing separator
    QString baseName() const { return baseName_; }        // executable name without extension
    QString configFile() const;                           // ExeDir + base name + ".ini"
    QString tempDir() const;                              // ExeDir + "Temp/"
    QString privateDir() const;                           // ExeDir + "Temp/" + base name + "/"
    QString programDir() const { return programDir_; }    // data root; empty until start() found it
    QString tabelasDir() const;                           // ProgramDir + "Tabelas/", as found on disk

    // Takes dir as the data root instead of the configuration file's (the
    // command line's --data-root).
    void setDataRoot(const QString &dir) { dataRootOverride_ = dir; }

    // The start-up steps in their order. false: the program must end (the
    // user has been told why through the message service).
    bool start();
    // End of process: releases the guard and clears the session values.
    void finish();

    // [CONFIG] TRAVAMENTO is "ATIVO" (compared case-sensitively).
    bool lockingActive() const;
    // ExeDir/Temp/<base>/RX<operator code "000">.tmp, creating the directory.
    QString temporaryFileName(int operatorCode) const;

private:
    bool findProgramDir();
    bool startEngine();

    QString exeDir_;
    QString baseName_;
    QString programDir_;
    QString dataRootOverride_;
    SingleCopyGuard guard_;
};
