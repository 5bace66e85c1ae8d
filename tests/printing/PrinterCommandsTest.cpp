#include "PrintTestDir.h"

#include "printing/ControlCodes.h"
#include "printing/PrinterModels.h"
#include "printing/ReportCipher.h"
#include "testsupport/CliRun.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// The command's temporary files stay inside the test's own folder.
QProcessEnvironment environment(const PrintTestDir &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), dir.path(QStringLiteral("tmp")));
    return env;
}

CliRun cli(const PrintTestDir &dir, const QStringList &arguments) { return runCli(arguments, environment(dir)); }

const char *const markers[] = {"@p8linpol", "@t8linpol", "@pcompr175", "@tcompr175", "@pcompr20", "@tcompr20",
                               "@pelite12", "@telite12", "@pnegrito", "@tnegrito", "@pexpand", "@texpand",
                               "@plinpage"};

// A saved job holding every marker, text between them, an eject, its end,
// and a line after the end that must not print.
QByteArray fullLog()
{
    QByteArray log = "Cabecalho & cia\r\n";
    for (const char *marker : markers)
        log += QByteArray(marker) + "\r\n";
    log += "  Linha recuada\r\n@Ejetar\r\nUltima\r\n@Fim\r\n@Fim\r\nnunca\r\n";
    return log;
}

QByteArray expectedBytes(TPrinterName model)
{
    const ControlCodes c = ControlCodes::forModel(model, QStringLiteral("1/6"));
    const QByteArray codes[] = {c.Lpi8On, c.Lpi8Off, c.Compr175On, c.Compr175Off, c.Compr20On, c.Compr20Off,
                                c.Elite12On, c.Elite12Off, c.BoldOn, c.BoldOff, c.ExpandOn, c.ExpandOff,
                                c.PageLength};
    QByteArray bytes = "Cabecalho & cia\r\n";
    for (const QByteArray &code : codes)
        bytes += code;
    return bytes + "  Linha recuada\r\n\x0cUltima\r\n";
}

} // namespace

class PrinterCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void replayTurnsMarkersIntoTheModelsSequences_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("model");
        QTest::newRow("Epson 9 pinos") << "Epson 9 pinos" << int(pfEpson9pinos);
        QTest::newRow("DeskJet 600") << "DeskJet 600" << int(pfDeskjet600);
        QTest::newRow("LaserJet 5L") << "LaserJet 5L" << int(pfLaserJet5L);
    }
    void replayTurnsMarkersIntoTheModelsSequences()
    {
        QFETCH(QString, printer);
        QFETCH(int, model);
        PrintTestDir dir;
        PrintTestDir::write(dir.path(QStringLiteral("job.txt")), fullLog());
        const QString out = dir.path(QStringLiteral("printer.prn"));
        const QString log = dir.path(QStringLiteral("new.log"));
        const CliRun run = cli(dir, {QStringLiteral("replay"), QStringLiteral("--printer"), printer, QStringLiteral("--address"),
                                  out, QStringLiteral("--log"), log, dir.path(QStringLiteral("job.txt"))});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(PrintTestDir::read(out), expectedBytes(TPrinterName(model)));
        const QByteArray newLog = PrintTestDir::read(log);
        QVERIFY(newLog.startsWith("Cabecalho & cia\r\n@p8linpol\r\n@t8linpol\r\n@pcompr175\r\n"));
        QVERIFY(newLog.endsWith("  Linha recuada\r\n@Ejetar\r\nUltima\r\n@Fim\r\n@Fim\r\n"));
    }

    void replayOfAReportFileDeciphersItFirst()
    {
        PrintTestDir dir;
        ReportCipher cipher;
        QByteArray report;
        QVERIFY(cipher.encrypt(fullLog(), &report));
        PrintTestDir::write(dir.path(QStringLiteral("job.art")), report);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QProcess process;
        process.setProcessEnvironment(environment(dir));
        process.start(binaryPath(QStringLiteral("remetix-cli")),
                      {QStringLiteral("replay"), QStringLiteral("--printer"), QStringLiteral("Lady II"), QStringLiteral("--address"),
                       QStringLiteral("socket://127.0.0.1:%1").arg(server.serverPort()), dir.path(QStringLiteral("job.art"))});
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        QByteArray received;
        while (peer->state() == QAbstractSocket::ConnectedState && peer->waitForReadyRead(5000))
            received += peer->readAll();
        received += peer->readAll();
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(received, expectedBytes(pfLadyII));
    }

    void printTestPrintsEveryPitchAndStyle()
    {
        PrintTestDir dir;
        const QString out = dir.path(QStringLiteral("teste.prn"));
        const CliRun run = cli(dir, {QStringLiteral("print-test"), QStringLiteral("--printer"), QStringLiteral("Epson 9 pinos"),
                                  QStringLiteral("--address"), out});
        QCOMPARE(run.exitCode, 0);
        const QByteArray bytes = PrintTestDir::read(out);
        const ControlCodes c = ControlCodes::forModel(pfEpson9pinos, QStringLiteral("1/6"));
        QVERIFY(bytes.startsWith(QByteArray("Remetix - teste de impressao\r\nNormal 10 cpp: ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789\r\n")));
        for (const QByteArray &on : {c.Compr175On, c.Compr20On, c.Elite12On, c.BoldOn, c.ExpandOn, c.Lpi8On})
            QVERIFY(bytes.contains(on));
        QVERIFY(bytes.contains(c.BoldOn + "Negrito: ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789\r\n" + c.BoldOff));
        QCOMPARE(bytes.count("\r\n"), 8);
        QVERIFY(bytes.endsWith(c.Lpi8Off + "\x0c"));
    }

    void badRequestsFailWithTheReason_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown model") << QStringList{"print-test", "--printer", "Epson 10 pinos", "--address", "@dir/x"}
                                       << 2 << "unknown printer \"Epson 10 pinos\"";
        QTest::newRow("no address") << QStringList{"replay", "--printer", "Rima", "@dir/job.txt"} << 2 << "usage:";
        QTest::newRow("address cannot be opened")
            << QStringList{"print-test", "--printer", "Rima", "--address", "@dir"} << 1
            << QString::fromUtf8("Não foi possível iniciar impressora especificada em:\n@dir");
        QTest::newRow("print queue the spooler does not know")
            << QStringList{"print-test", "--printer", "Rima", "--address", "remetix_fila_inexistente"} << 1
            << QString::fromUtf8("Não foi possível iniciar impressora especificada em:\nremetix_fila_inexistente");
        QTest::newRow("printer fails half-way")
            << QStringList{"print-test", "--printer", "Rima", "--address", "/dev/full"} << 1 << "Erro ao imprimir! ";
        QTest::newRow("missing file") << QStringList{"replay", "--printer", "Rima", "--address", "@dir/x", "@dir/none.art"}
                                      << 1 << "replay: @dir/none.art";
    }
    void badRequestsFailWithTheReason()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        PrintTestDir dir;
        PrintTestDir::write(dir.path(QStringLiteral("job.txt")), fullLog());
        for (QString &argument : arguments)
            argument.replace(QStringLiteral("@dir"), dir.path());
        message.replace(QStringLiteral("@dir"), dir.path());
        const CliRun run = cli(dir, arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

REMETIX_TEST(PrinterCommandsTest)
#include "PrinterCommandsTest.moc"
