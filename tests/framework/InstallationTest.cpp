#include "framework/Installation.h"
#include "framework/Session.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class InstallationTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Session::reset(); }

    void noConfigurationFileUsesExeDirAndCreatesNothing()
    {
        TempInstallation inst;
        QDir().mkpath(inst.exeDir() + QStringLiteral("Tabelas"));
        ScriptedMessages messages;
        Installation installation(inst.programPath());
        QVERIFY(installation.start());
        QCOMPARE(installation.programDir(), inst.exeDir());
        QCOMPARE(Session::values().ProgramDir, inst.exeDir());
        QCOMPARE(Session::values().ExeDir, inst.exeDir());
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!QFile::exists(inst.configFile()));
        QVERIFY(QFileInfo(inst.exeDir() + QStringLiteral("Temp/remetix")).isDir());
        installation.finish();
        QVERIFY(Session::values().ProgramDir.isEmpty());
    }

    void blankLocalWarnsAndWritesExeDirBack()
    {
        TempInstallation inst;
        QDir().mkpath(inst.exeDir() + QStringLiteral("Tabelas"));
        inst.writeConfig("[CONFIG]\r\nTRAVAMENTO=ATIVO\r\n[BD]\r\nLOCAL=   \r\n");
        ScriptedMessages messages;
        Installation installation(inst.programPath());
        QVERIFY(installation.start());
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown()[0].icon, MsgIcon::Warning);
        QCOMPARE(messages.lastText(),
                 QString::fromUtf8("Não foi especificado o local do banco de dados no arquivo de inicialização.\r\n"
                                   "O sistema assumirá o seguinte local: \r\n") + inst.exeDir());
        const QByteArray written = inst.readConfig();
        QVERIFY(written.contains("LOCAL=" + inst.exeDir().toUtf8()));
        QVERIFY(written.contains("TRAVAMENTO=ATIVO"));
        QVERIFY(installation.lockingActive());
    }

    void dataRootGetsTrailingSeparatorAndTabelasFoundInAnyCase()
    {
        TempInstallation inst;
        QDir().mkpath(inst.dataRoot() + QStringLiteral("TABELAS"));
        QString root = inst.dataRoot();
        root.chop(1);
        inst.writeConfig("[BD]\nLOCAL=" + root.toUtf8() + "\n");
        ScriptedMessages messages;
        Installation installation(inst.programPath());
        QVERIFY(installation.start());
        QCOMPARE(installation.programDir(), inst.dataRoot());
        QCOMPARE(installation.tabelasDir(), inst.dataRoot() + QStringLiteral("TABELAS/"));
        QVERIFY(messages.shown().isEmpty());
    }

    void missingTabelasEndsWithItsMessage()
    {
        TempInstallation inst;
        inst.writeStandardConfig();
        QDir().mkpath(inst.dataRoot());
        ScriptedMessages messages;
        Installation installation(inst.programPath());
        QVERIFY(!installation.start());
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown()[0].icon, MsgIcon::Error);
        QCOMPARE(messages.lastText(), QString::fromUtf8("Tabelas do sistema não encontradas em: \r\n") + inst.dataRoot()
                     + QString::fromUtf8("Tabelas\r\nImpossível continuar a execução da aplicação!"));
        QVERIFY(installation.programDir().isEmpty());
        QVERIFY(Session::values().ProgramDir.isEmpty());
        QVERIFY(!QFileInfo::exists(inst.exeDir() + QStringLiteral("Temp")));
    }

    void lockingSetting_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("active");
        QTest::newRow("upper") << QByteArray("TRAVAMENTO=ATIVO") << true;
        QTest::newRow("lower") << QByteArray("TRAVAMENTO=ativo") << false;
        QTest::newRow("inactive") << QByteArray("TRAVAMENTO=INATIVO") << false;
        QTest::newRow("absent") << QByteArray() << false;
    }
    void lockingSetting()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, active);
        TempInstallation inst;
        inst.makeTabelas();
        inst.writeConfig("[BD]\nLOCAL=" + inst.dataRoot().toUtf8() + "\n[CONFIG]\n" + line + "\n");
        ScriptedMessages messages;
        Installation installation(inst.programPath());
        QVERIFY(installation.start());
        QCOMPARE(installation.lockingActive(), active);
        QCOMPARE(Session::values().LockingActive, active);
    }

    void temporaryFileNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("7") << 7 << "RX007.tmp";
        QTest::newRow("1234") << 1234 << "RX1234.tmp";
        QTest::newRow("0") << 0 << "RX000.tmp";
    }
    void temporaryFileNames()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        TempInstallation inst;
        Installation installation(inst.programPath());
        QCOMPARE(installation.temporaryFileName(code), inst.exeDir() + QStringLiteral("Temp/remetix/") + name);
        QVERIFY(QFileInfo(inst.exeDir() + QStringLiteral("Temp/remetix")).isDir());
    }

    void secondCopyInOneProcessIsRefusedUntilTheFirstEnds()
    {
        TempInstallation inst;
        inst.makeTabelas();
        inst.writeStandardConfig();
        ScriptedMessages messages;
        Installation first(inst.programPath());
        QVERIFY(first.start());
        Installation second(inst.programPath());
        QVERIFY(!second.start());
        QVERIFY(messages.lastText().contains(QString::fromUtf8("Não foi possível apagar arquivo de controle: ")
                                             + inst.exeDir() + QStringLiteral("Temp/remetix/Paradox.lck\r\n")));
        first.finish();
        QVERIFY(second.start());
    }
};

REMETIX_TEST(InstallationTest)
#include "InstallationTest.moc"
