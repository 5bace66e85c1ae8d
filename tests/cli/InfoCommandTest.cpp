#include "framework/Installation.h"
#include "testsupport/CliRun.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QTest>

namespace {
using Run = CliRun;

Run cli(const QStringList &arguments) { return runCli(arguments); }
} // namespace

class InfoCommandTest : public QObject
{
    Q_OBJECT
private slots:
    void printsKeyValueLines()
    {
        TempInstallation inst;
        inst.makeTabelas();
        inst.writeConfig("[BD]\nLOCAL=" + inst.dataRoot().toUtf8() + "\n[CONFIG]\nTRAVAMENTO=ATIVO\n");
        const Run run = cli({QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("info")});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].startsWith(QStringLiteral("version: ")));
        QCOMPARE(lines[1], QStringLiteral("exe-dir: ") + inst.exeDir());
        QCOMPARE(lines[2], QStringLiteral("config-file: ") + inst.configFile());
        QCOMPARE(lines[3], QStringLiteral("program-dir: ") + inst.dataRoot());
        QCOMPARE(lines[4], QStringLiteral("locking: ATIVO"));
        QVERIFY(run.err.isEmpty());
    }

    void startupFailurePrintsTheMessageAndFails()
    {
        TempInstallation inst;
        const Run run = cli({QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("info")});
        QVERIFY(run.exitCode != 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QString::fromUtf8("Tabelas do sistema não encontradas em: \n") + inst.exeDir() + QStringLiteral("Tabelas")));
    }

    // The first copy runs in this process; the second is a real other process.
    void secondCopyOnTheSameComputerIsRefused()
    {
        TempInstallation inst;
        inst.makeTabelas();
        inst.writeStandardConfig();
        ScriptedMessages messages;
        Installation first(inst.programPath());
        QVERIFY(first.start());

        const Run refused = cli({QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("info")});
        QVERIFY(refused.exitCode != 0);
        QVERIFY(refused.err.contains(QString::fromUtf8("Não foi possível apagar arquivo de controle: ") + inst.exeDir()
                                     + QStringLiteral("Temp/remetix/Paradox.lck")));
        QVERIFY(refused.err.contains(QString::fromUtf8("Se estiver, feche e deixe apenas uma cópia aberta por computador.")));

        first.finish();
        QCOMPARE(cli({QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("info")}).exitCode, 0);
    }
};

REMETIX_TEST(InfoCommandTest)
#include "InfoCommandTest.moc"
