#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QFile>
#include <QProcess>
#include <QTest>

// The real program on a demo installation, as scripts/run starts it.
class ProgramProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void startsOnTheDemoInstallationAndWaitsForTheLogin()
    {
        TempInstallation inst;
        QFile::copy(binaryPath(QStringLiteral("remetix")), inst.programPath());
        QFile::setPermissions(inst.programPath(), QFile::permissions(binaryPath(QStringLiteral("remetix"))));
        QProcess cli;
        cli.start(binaryPath(QStringLiteral("remetix-cli")), {QStringLiteral("--exe-dir"), inst.exeDir(), QStringLiteral("init"),
                                                              QStringLiteral("--demo"), QStringLiteral("--data-root"), inst.dataRoot()});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        inst.writeStandardConfig();

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(inst.programPath(), {});
        QVERIFY(program.waitForStarted());
        const QString marker = inst.exeDir() + QStringLiteral("Temp/RX.log");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 20000);
        // Standing at the login, not ended by anything on the way there.
        QVERIFY(!program.waitForFinished(1500));
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished();
        // A killed run leaves its marker for the next start to find.
        QVERIFY(QFile::exists(marker));
    }
};

REMETIX_TEST(ProgramProcessTest)
#include "ProgramProcessTest.moc"
