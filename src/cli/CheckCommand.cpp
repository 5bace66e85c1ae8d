#include "CliCommand.h"

#include "framework/AppCodes.h"
#include "framework/DataDictionary.h"
#include "framework/GlobalStructure.h"
#include "framework/Installation.h"
#include "storage/DbError.h"
#include "storage/Table.h"

namespace {

// The company's directories as its data module places them: its own, and
// its central company's for the shared client tables.
bool companyDirs(const QString &tabelas, int code, QString *companyDir, QString *centralDir)
{
    Table companies;
    companies.setDirectory(tabelas);
    companies.setTableName(QStringLiteral("TbEmp"));
    companies.open();
    if (!companies.locate(QStringLiteral("cod_emp"), {code}))
        return false;
    const int central = int(companies.asInt(QStringLiteral("cen_emp")));
    *companyDir = tabelas + QStringLiteral("%1/").arg(code, 3, 10, QLatin1Char('0'));
    *centralDir = central >= 1 ? tabelas + QStringLiteral("%1/").arg(central, 3, 10, QLatin1Char('0')) : *companyDir;
    return true;
}

int check(const CliContext &context, const QStringList &args)
{
    QStringList arguments = args;
    QString dataRoot;
    QString company;
    const bool hasRoot = Cli::takeOption(arguments, QStringLiteral("--data-root"), &dataRoot);
    const bool hasCompany = Cli::takeOption(arguments, QStringLiteral("--company"), &company);
    bool ok = true;
    const int code = hasCompany ? company.toInt(&ok) : 0;
    if (!arguments.isEmpty() || !ok || (hasCompany && code < 1)) {
        Cli::err(QStringLiteral("usage: remetix-cli check [--data-root DIR] [--company NNN]"));
        return 2;
    }
    Installation installation(context.programPath());
    if (hasRoot)
        installation.setDataRoot(dataRoot);
    if (!installation.start()) {
        installation.finish();
        return 1;
    }
    const QString tabelas = installation.tabelasDir();
    const InstalledApplications apps = InstalledApplications::load(tabelas);
    InstalledApplications::setCurrent(&apps);
    DataDictionary dictionary;
    GlobalStructure structure(dictionary, installation.programDir());
    bool passed = structure.runGlobal();
    if (passed && hasCompany) {
        QString companyDir;
        QString centralDir;
        try {
            if (!companyDirs(tabelas, code, &companyDir, &centralDir)) {
                Cli::err(QStringLiteral("Empresa %1 não cadastrada.").arg(code, 3, 10, QLatin1Char('0')));
                passed = false;
            } else {
                passed = structure.checkCompanyTables(companyDir, centralDir);
            }
        } catch (const DbError &e) {
            Cli::err(e.message());
            passed = false;
        }
    }
    InstalledApplications::setCurrent(nullptr);
    installation.finish();
    return passed ? 0 : 1;
}

const CliCommand::Registration registration("check", "check [--data-root DIR] [--company NNN]", check);

} // namespace
