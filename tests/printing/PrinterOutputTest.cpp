#include "PrintTestDir.h"
#include "ScriptedPrintUi.h"

#include "printing/PrinterStatus.h"
#include "printing/TPrintFast.h"
#include "testsupport/TestMain.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

QByteArray readAllFrom(QTcpServer &server)
{
    if (!server.waitForNewConnection(5000))
        return "<no connection>";
    QTcpSocket *peer = server.nextPendingConnection();
    QByteArray bytes;
    while (peer->state() == QAbstractSocket::ConnectedState && peer->waitForReadyRead(3000))
        bytes += peer->readAll();
    bytes += peer->readAll();
    return bytes;
}

} // namespace

// Where the printer bytes go: files and devices, network printers, the
// spool file, and the printer's state before a job.
class PrinterOutputTest : public QObject
{
    Q_OBJECT
private slots:
    void unusableAddressRefusesTheJob_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder cannot be made") << "/proc/remetix-nao-existe/x.prn"
                                               << QString::fromUtf8("Não foi possivel criar diretório!");
        QTest::newRow("address is a folder") << "@dir"
                                             << QString::fromUtf8("Não foi possível iniciar impressora especificada em:\r\n@dir");
        QTest::newRow("full device") << "/dev/full" << QString();
    }
    void unusableAddressRefusesTheJob()
    {
        QFETCH(QString, address);
        QFETCH(QString, message);
        PrintTestDir dir;
        ScriptedPrintUi ui;
        address.replace(QStringLiteral("@dir"), dir.path());
        message.replace(QStringLiteral("@dir"), dir.path());
        TPrintFast pf;
        pf.setPrinterAdr(address);
        if (message.isEmpty()) {
            // Opens, then refuses the first byte: the job ends with the system's text.
            QVERIFY(pf.BeginDoc());
            QVERIFY(!pf.PrintText({}, QStringLiteral("x"), 0, true));
            QCOMPARE(ui.texts().size(), 1);
            QVERIFY(ui.texts().first().startsWith(QStringLiteral("Erro ao imprimir! ")));
            QVERIFY(ui.texts().first().size() > 18);
            QVERIFY(!pf.EndDoc());
            return;
        }
        QVERIFY(!pf.BeginDoc());
        QCOMPARE(ui.texts(), QStringList{message});
        QCOMPARE(ui.boxes().first().icon, PrintMessages::Error);
        QVERIFY(!pf.PrintText({}, QStringLiteral("x"), 0, true));
    }

    void networkPrinterReceivesExactlyThePrinterBytes_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("host:port") << "127.0.0.1:%1";
        QTest::newRow("socket uri") << "socket://127.0.0.1:%1";
    }
    void networkPrinterReceivesExactlyThePrinterBytes()
    {
        QFETCH(QString, form);
        PrintTestDir dir;
        ScriptedPrintUi ui;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        TPrintFast pf;
        pf.setPrinterName(pfLaserJet5L);
        pf.setPrinterAdr(form.arg(server.serverPort()));
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.SendCode(pf.codes().Compr175On));
        QVERIFY(pf.PrintText({}, QString::fromUtf8("Ação"), 2, true));
        QVERIFY(pf.SendCode(pf.codes().Compr175Off));
        QVERIFY(pf.Eject());
        QVERIFY(pf.EndDoc());
        QCOMPARE(readAllFrom(server), QByteArray("\x1b&k2S  Acao\r\n", 13) + QByteArray(1, '\0') + "\x0c");
        QVERIFY(ui.texts().isEmpty());
    }

    void networkPrinterThatIsNotListeningRefusesTheJob()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            port = probe.serverPort();
        }
        TPrintFast pf;
        pf.setPrinterAdr(QStringLiteral("127.0.0.1:%1").arg(port));
        QVERIFY(!pf.BeginDoc());
        QCOMPARE(ui.texts(), QStringList{QString::fromUtf8("Não foi possível iniciar impressora especificada em:\r\n127.0.0.1:%1").arg(port)});
    }

    void spoolFileIsCopiedToTheAddressAfterTheJob()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        const QString spool = dir.path(QStringLiteral("Temp/remetix/RX007.tmp"));
        const QString address = dir.path(QStringLiteral("porta.prn"));
        for (const QString &text : {QStringLiteral("primeiro"), QStringLiteral("segundo")}) {
            TPrintFast pf;
            pf.setPrinterName(pfEpson9pinos);
            pf.setPrinterAdr(address);
            pf.setSpool(true, spool);
            QVERIFY(pf.BeginDoc());
            QVERIFY(pf.SendCode(pf.codes().BoldOn));
            QVERIFY(pf.PrintText({}, text, 0, true));
            QVERIFY(pf.EndDoc());
            QVERIFY(TPrintFast::waitForSpoolCopy());
            QCOMPARE(PrintTestDir::read(address), QByteArray("\x1b" "E") + text.toLatin1() + "\r\n");
        }
        QVERIFY(!QFile::exists(spool)); // the engine removes its spool file when it goes
        QVERIFY(ui.texts().isEmpty());
    }

    void spoolCopyThatFailsIsReported_data()
    {
        QTest::addColumn<bool>("waited");
        QTest::newRow("next job waits") << true;
        QTest::newRow("event loop tells") << false;
    }
    void spoolCopyThatFailsIsReported()
    {
        QFETCH(bool, waited);
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        pf.setPrinterAdr(QStringLiteral("/dev/full"));
        pf.setSpool(true, dir.path(QStringLiteral("RX001.tmp")));
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.PrintText({}, QStringLiteral("x"), 0, true));
        QVERIFY(pf.EndDoc());
        if (waited)
            QVERIFY(!TPrintFast::waitForSpoolCopy());
        QTRY_COMPARE(ui.texts().size(), 1);
        QVERIFY(TPrintFast::waitForSpoolCopy());
        QCOMPARE(ui.texts().size(), 1);
        QVERIFY(ui.texts().first().startsWith(QStringLiteral("Erro ao imprimir! ")));
    }

    void readyNeedsNotBusyAndSelected_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("ready");
        QTest::newRow("ready") << 0x90 << true;
        QTest::newRow("ready with other bits") << 0xdf << true;
        QTest::newRow("busy") << 0x10 << false;
        QTest::newRow("not selected") << 0x80 << false;
        QTest::newRow("off") << 0x00 << false;
    }
    void readyNeedsNotBusyAndSelected()
    {
        QFETCH(int, status);
        QFETCH(bool, ready);
        QCOMPARE(PrinterStatus::isReady(status), ready);
    }

    void unreadableStatusAsksWhetherToGoOn_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("begins");
        QTest::newRow("yes") << int(PrintMessages::AnswerYes) << true;
        QTest::newRow("cancel") << int(PrintMessages::AnswerCancel) << false;
    }
    void unreadableStatusAsksWhetherToGoOn()
    {
        QFETCH(int, answer);
        QFETCH(bool, begins);
        int status = 0;
        if (PrinterStatus::read(8, &status))
            QSKIP("this machine has a readable /dev/lp8");
        PrintTestDir dir;
        ScriptedPrintUi ui;
        ui.answer(PrintMessages::Answer(answer));
        TPrintFast pf;
        pf.setPrinterPort(QStringLiteral("lpt9"));
        pf.setPrinterAdr(dir.path(QStringLiteral("out.prn")));
        pf.setCheckPrinterStatus(true);
        QCOMPARE(pf.BeginDoc(), begins);
        QCOMPARE(ui.boxes().size(), 1);
        QCOMPARE(ui.boxes().first().icon, PrintMessages::Error);
        QCOMPARE(ui.boxes().first().buttons, PrintMessages::YesCancel);
        QCOMPARE(ui.texts().first(),
                 QString::fromUtf8("Erro na verificação do estado da impressora.\r\n\r\nPara desabilitar esta verificação "
                                   "acesse Arquivos / Configurações / Impressoras\r\ne desmarque a opção \"Verificar "
                                   "estado da impressora\".\r\n\r\nDeseja continuar a impressão mesmo sem testar o "
                                   "estado atual da impressora?"));
        pf.EndDoc();
    }
};

REMETIX_TEST(PrinterOutputTest)
#include "PrinterOutputTest.moc"
