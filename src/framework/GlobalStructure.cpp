#include "framework/GlobalStructure.h"

#include "framework/AppCodes.h"
#include "framework/DataDictionary.h"
#include "framework/IntegrityChecker.h"
#include "framework/Messages.h"
#include "framework/ProgressText.h"
#include "framework/Session.h"
#include "framework/StructureBuilder.h"
#include "framework/UniKernix.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/TableFile.h"

namespace {

using PathCase::withSeparator;

const QString kEnd = QStringLiteral(" Impossível continuar a aplicação!");

} // namespace

GlobalStructure::GlobalStructure(DataDictionary &dictionary, const QString &programDir)
    : dictionary_(dictionary), programDir_(withSeparator(programDir)),
      tabelas_(withSeparator(PathCase::resolve(programDir_, QStringLiteral("Tabelas"))))
{
}

bool GlobalStructure::dictionaryFileMissing(const QString &file, const QString &what)
{
    if (TableFile::exists(tabelas_, file))
        return false;
    Messages::plain(QStringLiteral("Não foi possível localizar ") + what + QStringLiteral(" em ") + programDir_
                    + QStringLiteral("Tabelas.") + QStringLiteral("\r\n") + kEnd);
    return true;
}

bool GlobalStructure::openDictionary()
{
    struct Step
    {
        Table *table;
        QString file;
        QString progress;
        QString failure;
    };
    const QList<Step> steps{
        {&dictionary_.TbStr, QStringLiteral("TbStr"), QStringLiteral("Abrindo Dicionário de Dados"),
         QStringLiteral("Não foi possível abrir Dicionário de Dados.")},
        {&dictionary_.TbStrD, QStringLiteral("TbStrD"), QStringLiteral("Abrindo Dicionário de Dados Detalhe"),
         QStringLiteral("Não foi possível abrir Dicionário de Dados Detalhe.")},
    };
    for (const Step &step : steps) {
        if (dictionaryFileMissing(step.file, QStringLiteral("Dicionário de Dados")))
            return false;
        if (Session::values().IntegrityCheckMode != 0
            && !IntegrityChecker::CheckTable(tabelas_ + step.file + QStringLiteral(".db"), programDir_))
            return false;
        Progress::show(step.progress);
        try {
            step.table->setDirectory(tabelas_);
            step.table->open();
        } catch (const DbError &e) {
            Kernix::TrataErro(step.failure + kEnd, e.message());
            return false;
        }
        if (step.table == &dictionary_.TbStr)
            dictionary_.readVersion();
    }
    Session::values().DictionaryVersion = dictionary_.version();
    return true;
}

bool GlobalStructure::moduleTablePresent()
{
    return !dictionaryFileMissing(QStringLiteral("TbMod"), QStringLiteral("Cadastro de Módulos"));
}

bool GlobalStructure::openVerifiedStructures()
{
    if (!TableFile::exists(tabelas_, QStringLiteral("TbVerEstru"))) {
        QString error;
        if (!StructureBuilder::create(QStringLiteral("TbVerEstru"), tabelas_, programDir_, QString(), false, &error)) {
            Messages::error(QStringLiteral("Erro de criação de") + dictionary_.tableDescription(QStringLiteral("TbVerEstru"))
                            + QStringLiteral("\r\nCaminho:") + programDir_ + QStringLiteral("Tabelas")
                            + QStringLiteral("\r\nVerifique se o caminho é valido e se há espaço suficiente em disco.")
                            + QStringLiteral("\r\nA aplicação será terminada"));
            return false;
        }
    }
    if (Session::values().IntegrityCheckMode != 0
        && !IntegrityChecker::CheckTable(tabelas_ + QStringLiteral("TbVerEstru.db"), programDir_))
        return false;
    Progress::show(QStringLiteral("Abrindo Tabelas Verificadas"));
    try {
        dictionary_.TbVerEstru.setDirectory(tabelas_);
        dictionary_.TbVerEstru.open();
        dictionary_.TbVerEstru.setIndexFieldNames(QStringLiteral("tab_est"));
    } catch (const DbError &e) {
        Kernix::TrataErro(QStringLiteral("Não foi possível abrir Tabelas Verificadas.") + kEnd, e.message());
        return false;
    }
    return true;
}

bool GlobalStructure::checkOne(const QString &name, const QString &dir)
{
    if (!dictionary_.checkStructure(name, name, dir, programDir_))
        return false;
    if (Session::values().LiberarSwitch) {
        try {
            DataDictionary::releaseStamps(dir, name);
        } catch (const DbError &e) {
            Kernix::TrataErro(QStringLiteral("Não foi possível liberar os registros de ") + name + QLatin1Char('.'),
                              e.message());
        }
    }
    return true;
}

QStringList GlobalStructure::globalTableList(const QString &tabelasDir)
{
    QStringList list{QStringLiteral("TbEmp"), QStringLiteral("TbCtd"), QStringLiteral("TbNiv"),
                     QStringLiteral("TbJur"), QStringLiteral("TbEtq"), QStringLiteral("TbGiaPai")};
    if (TableFile::exists(tabelasDir, QStringLiteral("TbCep")))
        list << QStringLiteral("TbCep");
    list << QStringLiteral("TbOpr") << QStringLiteral("TbOprLog");
    if (ApplicationInstalled(QStringLiteral("Steward.exe")))
        list << QStringLiteral("TbOrg") << QStringLiteral("TbCNAE") << QStringLiteral("TbCAE");
    return list;
}

bool GlobalStructure::checkGlobalTables()
{
    for (const QString &name : globalTableList(tabelas_))
        if (!checkOne(name, tabelas_))
            return false;
    return true;
}

bool GlobalStructure::checkCompanyTables(const QString &companyDir, const QString &centralDir)
{
    struct Entry
    {
        const char *name;
        bool central;
        QStringList needs; // installed applications that bring the table; empty: always
    };
    const QList<Entry> entries{
        {"TbCli", true, {}},
        {"TbCli2", true, {}},
        {"TbTit", false, {}},
        {"TbLog", false, {}},
        {"TbSitua", true, {}},
        {"TbPla", true, {QStringLiteral("Ledger.exe")}},
        {"TbPCli", true, {QStringLiteral("Service.exe"), QStringLiteral("Trade.exe")}},
        {"TbIte", true, {QStringLiteral("Service.exe"), QStringLiteral("Trade.exe")}},
        {"TbCliEnq", true, {QStringLiteral("Steward.exe")}},
        {"TbCliMV", true, {QStringLiteral("Steward.exe")}},
        {"TbCliQS", true, {QStringLiteral("Steward.exe")}},
        {"TbCliFat", true, {QStringLiteral("Steward.exe")}},
        {"TbFor", true, {}},
    };
    for (const Entry &entry : entries) {
        bool wanted = entry.needs.isEmpty();
        for (const QString &app : entry.needs)
            wanted |= ApplicationInstalled(app);
        if (wanted && !checkOne(QString::fromLatin1(entry.name), entry.central ? centralDir : companyDir))
            return false;
    }
    return true;
}

bool GlobalStructure::runGlobal()
{
    return openDictionary() && moduleTablePresent() && openVerifiedStructures() && checkGlobalTables();
}
