#include "storage/Table.h"
#include "storage/TableFile.h"
#include "testsupport/CliRun.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QTest>

namespace {
using Run = CliRun;

Run cli(const TempInstallation &inst, const QStringList &arguments)
{
    return runCli(QStringList{QStringLiteral("--exe-dir"), inst.exeDir()} + arguments);
}
} // namespace

class InitCheckCommandTest : public QObject
{
    Q_OBJECT
private slots:
    void initThenCheckPasses()
    {
        TempInstallation inst;
        const Run init = cli(inst, {QStringLiteral("init"), QStringLiteral("--data-root"), inst.dataRoot()});
        QCOMPARE(init.exitCode, 0);
        QVERIFY(init.out.contains(QStringLiteral("Criando Cadastro de operadores")));
        QVERIFY(TableFile::exists(inst.tabelasDir(), QStringLiteral("TbOprLog")));

        const Run check = cli(inst, {QStringLiteral("check"), QStringLiteral("--data-root"), inst.dataRoot()});
        QCOMPARE(check.exitCode, 0);
        QVERIFY(check.out.contains(QString::fromUtf8("Abrindo Dicionário de Dados")));
        QVERIFY2(!check.out.contains(QStringLiteral("Criando")), qPrintable(check.out));

        const Run again = cli(inst, {QStringLiteral("init"), QStringLiteral("--data-root"), inst.dataRoot()});
        QCOMPARE(again.exitCode, 1);
        QVERIFY(again.err.contains(QString::fromUtf8("Já existe uma instalação")));
    }

    void companyCheckCreatesItsTablesWhereTheyBelong()
    {
        TempInstallation inst;
        QCOMPARE(cli(inst, {QStringLiteral("init"), QStringLiteral("--data-root"), inst.dataRoot()}).exitCode, 0);
        {
            Table companies;
            companies.setDirectory(inst.tabelasDir());
            companies.setTableName(QStringLiteral("TbEmp"));
            companies.open();
            for (const auto &[code, central] : {std::pair{3, 0}, std::pair{12, 3}}) {
                companies.append();
                companies.setValue(QStringLiteral("cod_emp"), code);
                companies.setValue(QStringLiteral("nom_emp"), QStringLiteral("EMPRESA %1").arg(code));
                companies.setValue(QStringLiteral("cen_emp"), central);
                companies.post();
            }
        }
        const Run run = cli(inst, {QStringLiteral("check"), QStringLiteral("--data-root"), inst.dataRoot(),
                                   QStringLiteral("--company"), QStringLiteral("12")});
        QCOMPARE(run.exitCode, 0);
        const QString own = inst.tabelasDir() + QStringLiteral("012/");
        const QString central = inst.tabelasDir() + QStringLiteral("003/");
        QVERIFY(TableFile::exists(central, QStringLiteral("TbCli")));
        QVERIFY(TableFile::exists(central, QStringLiteral("TbCli2")));
        QVERIFY(TableFile::exists(own, QStringLiteral("TbTit")));
        QVERIFY(TableFile::exists(own, QStringLiteral("TbLog")));
        QVERIFY(!TableFile::exists(own, QStringLiteral("TbCli")));

        const Run missing = cli(inst, {QStringLiteral("check"), QStringLiteral("--data-root"), inst.dataRoot(),
                                       QStringLiteral("--company"), QStringLiteral("7")});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains(QString::fromUtf8("Empresa 007 não cadastrada.")));
    }
};

REMETIX_TEST(InitCheckCommandTest)
#include "InitCheckCommandTest.moc"
