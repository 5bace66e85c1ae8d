#include "storage/Table.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"
#include "framework/IniFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

class DemoCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void initDemoBuildsACompanyToTryTheProgramOn()
    {
        TempInstallation inst;
        QProcess cli;
        cli.start(binaryPath(QStringLiteral("remetix-cli")), {QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("init"),
                                                              QStringLiteral("--demo"), QStringLiteral("--data-root"), inst.dataRoot()});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);

        Table companies;
        companies.setDirectory(inst.tabelasDir());
        companies.setTableName(QStringLiteral("TbEmp"));
        companies.open();
        QCOMPARE(companies.recordCount(), 1);
        QCOMPARE(companies.asInt(QStringLiteral("cod_emp")), 1);
        QCOMPARE(companies.asString(QStringLiteral("nom_emp")), QStringLiteral("EMPRESA DEMONSTRACAO"));
        QVERIFY(companies.asString(QStringLiteral("cfg_emp")).startsWith(QLatin1Char('S')));

        Table clients;
        clients.setDirectory(inst.tabelasDir() + QStringLiteral("001"));
        clients.setTableName(QStringLiteral("TbCli"));
        clients.open();
        QCOMPARE(clients.recordCount(), 200);
        int withContact = 0, withoutNumber = 0, withComplement = 0, accented = 0;
        QSet<QString> names;
        const QRegularExpression cep(QStringLiteral("^\\d{5}-\\d{3}$"));
        for (clients.first(); !clients.eof(); clients.next()) {
            const QString name = clients.asString(QStringLiteral("nom_cli"));
            names << name;
            withContact += clients.asString(QStringLiteral("con_cli")).isEmpty() ? 0 : 1;
            withoutNumber += clients.asString(QStringLiteral("num_cli")).isEmpty() ? 1 : 0;
            withComplement += clients.asString(QStringLiteral("com_cli")).isEmpty() ? 0 : 1;
            accented += name.toLatin1() != name.toUtf8() ? 1 : 0;
            QVERIFY(cep.match(clients.asString(QStringLiteral("cep_cli"))).hasMatch());
            QVERIFY(!clients.asString(QStringLiteral("cid_cli")).isEmpty());
        }
        QVERIFY(withContact > 0 && withContact < 200);
        QVERIFY(withoutNumber > 0 && withoutNumber < 200);
        QVERIFY(withComplement > 0 && withComplement < 200);
        QVERIFY(accented > 0);
        QVERIFY(names.size() > 150);

        Table models;
        models.setDirectory(inst.tabelasDir());
        models.setTableName(QStringLiteral("TbEtq"));
        models.open();
        QSet<qlonglong> columns;
        for (models.first(); !models.eof(); models.next())
            columns << models.asInt(QStringLiteral("qcl_etq"));
        QCOMPARE(columns, (QSet<qlonglong>{1, 2, 3}));

        IniFile printers(inst.exeDir() + QStringLiteral("Impressoras.ini"));
        QVERIFY(printers.load());
        QCOMPARE(printers.value(QStringLiteral("CONFIGURACOES"), QStringLiteral("ESTACAO")), QStringLiteral("S"));
        QVERIFY(printers.value(QStringLiteral("CONFIGURACOES"), QStringLiteral("ENDERECO")).startsWith(inst.dataRoot()));

        // A second demo on the same data root is refused.
        cli.start(binaryPath(QStringLiteral("remetix-cli")),
                  {QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("demo"), QStringLiteral("--data-root"), inst.dataRoot()});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 1);
    }
};

REMETIX_TEST(DemoCommandTest)
#include "DemoCommandTest.moc"
