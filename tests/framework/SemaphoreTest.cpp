#include "framework/RecordLocking.h"
#include "framework/Session.h"
#include "storage/Table.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

class SemaphoreTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TempInstallation> inst;

    QString companyFile(int code) const
    {
        return inst->tabelasDir() + QStringLiteral("%1/Semaforo.trv").arg(code, 3, 10, QLatin1Char('0'));
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void addOperator(int code, const QString &name, const QString &dep = {}, const QString &fon = {})
    {
        Table operators;
        operators.setDirectory(inst->tabelasDir());
        operators.setTableName(QStringLiteral("TbOpr"));
        operators.open();
        operators.append();
        operators.setValue(QStringLiteral("cod_opr"), code);
        operators.setValue(QStringLiteral("nom_opr"), name);
        operators.setValue(QStringLiteral("dep_opr"), dep);
        operators.setValue(QStringLiteral("fon_opr"), fon);
        operators.post();
    }
    void workOn(int company, int central = 0)
    {
        SessionValues &s = Session::values();
        s.CompanyCode = company;
        s.CentralCode = central ? central : company;
        s.CompanyDir = inst->tabelasDir() + QStringLiteral("%1").arg(company, 3, 10, QLatin1Char('0'));
        s.CentralDir = inst->tabelasDir() + QStringLiteral("%1").arg(s.CentralCode, 3, 10, QLatin1Char('0'));
        QDir().mkpath(s.CompanyDir);
        QDir().mkpath(s.CentralDir);
    }

private slots:
    void initTestCase()
    {
        inst = std::make_unique<TempInstallation>();
        QVERIFY(inst->initData());
        addOperator(1, QStringLiteral("MASTER"));
        addOperator(2, QStringLiteral("JOAO"), QStringLiteral("VENDAS"), QStringLiteral("215"));
    }
    void init()
    {
        Session::reset();
        SessionValues &s = Session::values();
        s.ProgramDir = inst->dataRoot();
        s.OperatorCode = 1;
        s.LockingActive = true;
        QFile::remove(inst->tabelasDir() + QStringLiteral("Semaforo.trv"));
        for (const QString &dir : QDir(inst->tabelasDir()).entryList({QStringLiteral("0*")}, QDir::Dirs))
            QDir(inst->tabelasDir() + dir).removeRecursively();
    }
    void cleanupTestCase() { Session::reset(); }

    void lockingOffTouchesNoFile()
    {
        Session::values().LockingActive = false;
        workOn(5);
        QVERIFY(RecordLocking::lock({QStringLiteral("TbCli")}));
        QVERIFY(RecordLocking::unlock({QStringLiteral("TbCli")}));
        QVERIFY(!QFile::exists(companyFile(5)));
    }

    void firstLockCreatesOneRecordThatIsReused()
    {
        workOn(5);
        QVERIFY(RecordLocking::lock({QStringLiteral("TbCli")}));
        QByteArray expected = QByteArray("TBCLI=1") + QByteArray(14, '\0');
        QCOMPARE(read(companyFile(5)), expected);
        QVERIFY(RecordLocking::unlock({QStringLiteral("TbCli")}));
        QCOMPARE(read(companyFile(5)), QByteArray("TBCLI=0") + QByteArray(14, '\0'));
        QVERIFY(RecordLocking::lock({QStringLiteral("TbCli")}));
        QCOMPARE(read(companyFile(5)), expected);
    }

    void recordsArePerExactName()
    {
        workOn(5);
        const QByteArray enq = RecordLocking::record(QStringLiteral("TBCLIENQ"), 2);
        write(companyFile(5), enq);
        QVERIFY(RecordLocking::lock({QStringLiteral("TbCli")}));
        QCOMPARE(read(companyFile(5)), enq + RecordLocking::record(QStringLiteral("TBCLI"), 1));
        QVERIFY(RecordLocking::unlock({QStringLiteral("TbCli")}));
        QCOMPARE(read(companyFile(5)).left(21), enq);
    }

    void directoryRule()
    {
        ScriptedMessages messages;
        QCOMPARE(RecordLocking::semaphoreFile(QStringLiteral("TbEmp")), inst->tabelasDir() + QStringLiteral("Semaforo.trv"));
        QVERIFY(RecordLocking::semaphoreFile(QStringLiteral("TbXyz")).isEmpty());
        QCOMPARE(messages.lastText(), QString::fromUtf8("ERRO DE TRAVAMENTO DE ARQUIVOS\r\nNão foi possível encontrar objeto TBXYZ"));
        QVERIFY(!RecordLocking::lock({QStringLiteral("TbXyz")}));
        workOn(12, 3);
        QCOMPARE(RecordLocking::semaphoreFile(QStringLiteral("TbCli")), companyFile(3));
        QCOMPARE(RecordLocking::semaphoreFile(QStringLiteral("TbLog")), companyFile(12));
        QCOMPARE(RecordLocking::semaphoreFile(QStringLiteral("TbVenda")), companyFile(12));
        QCOMPARE(RecordLocking::semaphoreFile(QStringLiteral("TbXyz")), companyFile(12));
    }

    // A holder whose program is gone (no presence record held) does not block.
    void holderWithoutRunningCopyIsFree()
    {
        FixedClock clock;
        workOn(5);
        write(companyFile(5), RecordLocking::record(QStringLiteral("TBCLI"), 2));
        QVERIFY(RecordLocking::lock({QStringLiteral("TbCli")}));
        QCOMPARE(clock.delays(), 0);
        QCOMPARE(read(companyFile(5)), RecordLocking::record(QStringLiteral("TBCLI"), 1));
    }

    void holderInAnotherProcessMakesUsAskAndNoGivesBackWhatWasTaken()
    {
        workOn(5);
        QProcess other;
        other.start(binaryPath(QStringLiteral("framework_peer")),
                    {QStringLiteral("semaphore"), inst->dataRoot(), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("TbCli")});
        QVERIFY(other.waitForReadyRead(10000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("held"));

        FixedClock clock;
        ScriptedMessages messages;
        messages.answer(MsgAnswer::No);
        QVERIFY(!RecordLocking::lock({QStringLiteral("TbLog"), QStringLiteral("TbCli")}));
        QCOMPARE(clock.delays(), RecordLocking::attempts - 1);
        QCOMPARE(clock.waitedMs(), qint64(1000) * (RecordLocking::attempts - 1));
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown()[0].buttons, MsgButtons::YesNo);
        QCOMPARE(messages.lastText(),
                 QString::fromUtf8("ERRO DE TRAVAMENTO\r\nOperador JOAO do departamento VENDAS ramal 215\r\n"
                                   "está travando o registro desejado.\r\n"
                                   "Para continuar tentando escolha \"Sim\".\r\nPara abortar o processo escolha \"Não\"."));
        const QByteArray file = read(companyFile(5));
        QCOMPARE(file.mid(0, 21), RecordLocking::record(QStringLiteral("TBCLI"), 2));
        QCOMPARE(file.mid(21, 21), RecordLocking::record(QStringLiteral("TBLOG"), 0));

        // Once the other program has ended, its record no longer blocks.
        other.closeWriteChannel();
        QVERIFY(other.waitForFinished(10000));
        QVERIFY(RecordLocking::lock({QStringLiteral("TbCli")}));
    }

    void editConflictTexts_data()
    {
        QTest::addColumn<int>("stamp");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("answers"); // MsgAnswer values
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("texts");
        const QString reload = QString::fromUtf8("Para recarregar o registro escolha \"Sim\".\r\nPara cancelar a operação escolha \"Cancelar\".");
        QTest::newRow("free") << 0 << 0 << QList<int>{} << 0 << QStringList{};
        QTest::newRow("own stamp") << 1 << 2 << QList<int>{} << 0 << QStringList{};
        QTest::newRow("change, live operator, reload")
            << 2 << 0 << QList<int>{int(MsgAnswer::Yes)} << 1
            << QStringList{QString::fromUtf8("ERRO DE ATUALIZAÇÃO\r\nNão foi possível completar esta alteração.\r\n"
                                             "Registro já modificado pelo usuário JOAO\r\n") + reload};
        QTest::newRow("change, deleted operator, cancel")
            << 9 << 0 << QList<int>{int(MsgAnswer::Cancel)} << 2
            << QStringList{QString::fromUtf8("ERRO DE ATUALIZAÇÃO\r\nNão foi possível completar esta alteração.\r\n"
                                             "Registro já modificado por outro usuário.\r\n") + reload};
        QTest::newRow("delete confirmed")
            << 2 << 2 << QList<int>{int(MsgAnswer::Cancel)} << 2
            << QStringList{QString::fromUtf8("ERRO DE EXCLUSÃO\r\nNão foi possível completar a exclusão.\r\n"
                                             "Registro já modificado pelo usuário JOAO\r\n") + reload};
        QTest::newRow("delete anyway") << 2 << 1 << QList<int>{int(MsgAnswer::Yes)} << 0
            << QStringList{QString::fromUtf8("ERRO DE EXCLUSÃO\r\nRegistro está sendo modificado pelo usuário JOAO\r\nDeseja exclui-lo mesmo assim?")};
        QTest::newRow("delete, then reload") << 2 << 1 << QList<int>{int(MsgAnswer::No), int(MsgAnswer::Yes)} << 1
            << QStringList{QString::fromUtf8("ERRO DE EXCLUSÃO\r\nRegistro está sendo modificado pelo usuário JOAO\r\nDeseja exclui-lo mesmo assim?"),
                           QString::fromUtf8("ERRO DE EXCLUSÃO\r\nRegistro está sendo modificado pelo usuário JOAO\r\n") + reload};
        QTest::newRow("stamp test, own") << 1 << 3 << QList<int>{} << 0 << QStringList{};
        QTest::newRow("stamp test, free") << 0 << 3 << QList<int>{} << 2 << QStringList{};
    }
    void editConflictTexts()
    {
        QFETCH(int, stamp);
        QFETCH(int, mode);
        QFETCH(QList<int>, answers);
        QFETCH(int, result);
        QFETCH(QStringList, texts);
        Table companies;
        companies.setDirectory(inst->tabelasDir());
        companies.setTableName(QStringLiteral("TbEmp"));
        companies.open();
        companies.append();
        companies.setValue(QStringLiteral("cod_emp"), 100 + QTest::currentDataTag()[0]);
        companies.setValue(QStringLiteral("ass_opr"), stamp);
        companies.post();
        ScriptedMessages messages;
        for (int a : answers)
            messages.answer(MsgAnswer(a));
        QCOMPARE(int(RecordLocking::editConflict(companies, RecordLocking::ConflictMode(mode))), result);
        QCOMPARE(messages.texts(), texts);
        companies.remove();
    }

    void clearStampWritesZero()
    {
        Table companies;
        companies.setDirectory(inst->tabelasDir());
        companies.setTableName(QStringLiteral("TbEmp"));
        companies.open();
        companies.append();
        companies.setValue(QStringLiteral("cod_emp"), 90);
        companies.setValue(QStringLiteral("ass_opr"), 1);
        companies.post();
        QVERIFY(RecordLocking::clearStamp(companies));
        Table again;
        again.setDirectory(inst->tabelasDir());
        again.setTableName(QStringLiteral("TbEmp"));
        again.open();
        QVERIFY(again.locate(QStringLiteral("cod_emp"), {90}));
        QCOMPARE(again.asInt(QStringLiteral("ass_opr")), 0);
    }
};

REMETIX_TEST(SemaphoreTest)
#include "SemaphoreTest.moc"
