#include "framework/Installation.h"

#include "framework/AppCodes.h"
#include "framework/BrDate.h"
#include "framework/IniFile.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "storage/PathCase.h"

#include <QDir>
#include <QFileInfo>

namespace {

using PathCase::withSeparator;

} // namespace

Installation::Installation(const QString &executablePath)
{
    const QFileInfo info(executablePath);
    exeDir_ = withSeparator(info.absolutePath());
    baseName_ = info.completeBaseName();
}

Installation::~Installation() = default;

QString Installation::configFile() const { return exeDir_ + baseName_ + QStringLiteral(".ini"); }

QString Installation::tempDir() const { return exeDir_ + QStringLiteral("Temp/"); }

QString Installation::privateDir() const { return tempDir() + baseName_ + QLatin1Char('/'); }

QString Installation::tabelasDir() const
{
    if (programDir_.isEmpty())
        return {};
    return withSeparator(PathCase::resolve(programDir_, QStringLiteral("Tabelas")));
}

bool Installation::start()
{
    BrDate::applyProcessFormat();
    SessionValues &session = Session::values();
    session.ExeDir = exeDir_;
    if (!findProgramDir())
        return false;
    session.ProgramDir = programDir_;
    if (!startEngine())
        return false;
    session.LockingActive = lockingActive();
    return true;
}

bool Installation::findProgramDir()
{
    IniFile config(configFile());
    QString root;
    if (!dataRootOverride_.isEmpty()) {
        root = QDir(exeDir_).absoluteFilePath(dataRootOverride_);
    } else if (config.exists()) {
        const bool readable = config.load();
        root = config.value(QStringLiteral("BD"), QStringLiteral("LOCAL")).trimmed();
        if (root.isEmpty()) {
            root = exeDir_;
            // An unreadable file is never rewritten: that would replace the
            // rest of its contents with this one key.
            if (readable) {
                config.setValue(QStringLiteral("BD"), QStringLiteral("LOCAL"), exeDir_);
                config.save();
            }
            Messages::warning(QStringLiteral("Não foi especificado o local do banco de dados no arquivo de inicialização.\r\n"
                                             "O sistema assumirá o seguinte local: \r\n") + exeDir_);
        } else if (QDir::isRelativePath(root)) {
            root = QDir(exeDir_).absoluteFilePath(root);
        }
    } else {
        root = exeDir_;
    }
    root = withSeparator(root);

    const QString tabelas = PathCase::resolve(root, QStringLiteral("Tabelas"));
    if (!QFileInfo(tabelas).isDir()) {
        Messages::error(QStringLiteral("Tabelas do sistema não encontradas em: \r\n") + root + QStringLiteral("Tabelas")
                        + QStringLiteral("\r\n") + QStringLiteral("Impossível continuar a execução da aplicação!"));
        programDir_.clear();
        return false;
    }
    programDir_ = root;
    return true;
}

bool Installation::startEngine()
{
    const QString dir = privateDir();
    if (!QDir().mkpath(dir)) {
        Kernix::TrataErro(QStringLiteral("Erro na inicialização do BDE."),
                          QStringLiteral("Não foi possível criar o diretório ") + dir);
        return false;
    }
    QString blocked;
    if (!guard_.acquire(dir, &blocked)) {
        Messages::error(QStringLiteral("Erro na inicialização do sistema.\r\nNão foi possível apagar arquivo de controle: ")
                        + blocked + QStringLiteral("\r\n")
                        + QStringLiteral("Verifique se a aplicação já está em uso no mesmo computador.") + QStringLiteral("\r\n")
                        + QStringLiteral("Se estiver, feche e deixe apenas uma cópia aberta por computador.") + QStringLiteral("\r\n")
                        + QStringLiteral("Caso o problema persista contate o suporte técnico."));
        return false;
    }
    return true;
}

void Installation::finish()
{
    guard_.release();
    InstalledApplications::setCurrent(nullptr);
    programDir_.clear();
    Session::reset();
}

bool Installation::lockingActive() const
{
    IniFile config(configFile());
    if (!config.load())
        return false;
    return config.value(QStringLiteral("CONFIG"), QStringLiteral("TRAVAMENTO"), QStringLiteral("INATIVO")).trimmed()
        == QLatin1String("ATIVO");
}

QString Installation::temporaryFileName(int operatorCode) const
{
    QDir().mkpath(privateDir());
    return privateDir() + AppCodes::own() + QStringLiteral("%1").arg(operatorCode, 3, 10, QLatin1Char('0'))
        + QStringLiteral(".tmp");
}
