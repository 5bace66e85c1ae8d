#include "framework/DataDictionary.h"
#include "framework/DictionaryText.h"
#include "framework/GlobalStructure.h"
#include "framework/IntegrityChecker.h"
#include "framework/Session.h"
#include "framework/SqlErrorLog.h"
#include "storage/Table.h"
#include "storage/TableFile.h"
#include "testsupport/RecordedProgress.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

QStringList names(const QList<FieldDef> &fields)
{
    QStringList list;
    for (const FieldDef &f : fields)
        list << f.name.toLower() + QLatin1Char(':') + FieldKinds::word(f.kind) + QLatin1Char(':') + QString::number(f.kind == FieldKind::Text ? f.size : 0);
    return list;
}

// One started program: an installation with its dictionary open.
struct Fixture
{
    TempInstallation inst;
    DataDictionary dictionary;
    std::unique_ptr<GlobalStructure> structure;

    bool start()
    {
        Session::reset();
        Session::values().ExeDir = inst.exeDir();
        Session::values().ProgramDir = inst.dataRoot();
        if (!inst.initData())
            return false;
        structure = std::make_unique<GlobalStructure>(dictionary, inst.dataRoot());
        return structure->openDictionary() && structure->openVerifiedStructures();
    }
    QString tabelas() const { return inst.tabelasDir(); }
    bool check(const QString &name) { return dictionary.checkStructure(name, name, tabelas(), inst.dataRoot()); }
    QString key(const QString &file) const { return DataDictionary::verifiedKey(tabelas(), file); }
    // ver_est of the file's record, -1 without one.
    int recorded(const QString &file)
    {
        dictionary.TbVerEstru.refresh();
        if (!dictionary.TbVerEstru.locate(QStringLiteral("tab_est"), {key(file)}))
            return -1;
        return int(dictionary.TbVerEstru.asInt(QStringLiteral("ver_est")));
    }
    void forget(const QString &file)
    {
        if (recorded(file) >= 0)
            dictionary.TbVerEstru.remove();
    }
    // A dictionary with one more column for TBEMP and one column fewer.
    void reshapeCompanies(const QString &dropped)
    {
        Table rows;
        rows.setDirectory(tabelas());
        rows.setTableName(QStringLiteral("TbStrD"));
        rows.open();
        QVERIFY(rows.locate(QStringLiteral("Tab_Str;Tip_Str;Cam_Str"), {QStringLiteral("TBEMP"), QStringLiteral("C"), dropped}));
        rows.remove();
        rows.append();
        rows.setValue(QStringLiteral("Tab_Str"), QStringLiteral("TBEMP"));
        rows.setValue(QStringLiteral("Tip_Str"), QStringLiteral("C"));
        rows.setValue(QStringLiteral("ord_str"), 999);
        rows.setValue(QStringLiteral("Cam_Str"), QStringLiteral("ref_emp"));
        rows.setValue(QStringLiteral("Des_Str"), QStringLiteral("Observação"));
        rows.setValue(QStringLiteral("Tip_Cam"), QStringLiteral("text"));
        rows.setValue(QStringLiteral("Tam_Cam"), 20);
        rows.post();
    }
};

} // namespace

class StructureCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Session::reset(); }

    void newInstallationHoldsEveryGlobalTableAsTheDictionarySaysIt()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        QVERIFY(messages.shown().isEmpty());
        const DictionaryText text = DictionaryText::load(QStringLiteral(":/data/dictionary.txt"));
        QCOMPARE(f.dictionary.version(), text.version);
        QStringList tables = GlobalStructure::globalTableList(f.tabelas());
        tables << QStringLiteral("TbStr") << QStringLiteral("TbStrD") << QStringLiteral("TbMod") << QStringLiteral("TbVerEstru");
        for (const QString &table : tables) {
            const TableDef onDisk = TableFile::readDefinition(f.tabelas(), table);
            QCOMPARE(names(onDisk.fields), names(text.find(table)->definition.fields));
        }
        for (const QString &table : GlobalStructure::globalTableList(f.tabelas()))
            QVERIFY2(f.recorded(table) == text.version, qPrintable(table));

        Table modules;
        modules.setDirectory(f.tabelas());
        modules.setTableName(QStringLiteral("TbMod"));
        modules.open();
        QVERIFY(modules.locate(QStringLiteral("cod_mod"), {QStringLiteral("CAD_CLI")}));
        QVERIFY(modules.asBool(QStringLiteral("RX_mod")));
        Table countries;
        countries.setDirectory(f.tabelas());
        countries.setTableName(QStringLiteral("TbGiaPai"));
        countries.open();
        QVERIFY(countries.locate(QStringLiteral("nom_pai"), {QStringLiteral("BRASIL")}));
    }

    void missingFileIsCreatedAndRecorded()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        f.forget(QStringLiteral("TbJur"));
        QVERIFY(QFile::remove(TableFile::path(f.tabelas(), QStringLiteral("TbJur"))));
        RecordedProgress progress;
        QVERIFY(f.check(QStringLiteral("TbJur")));
        QCOMPARE(progress.texts, (QStringList{QStringLiteral("Criando Tabela de juros"), QString()}));
        QVERIFY(TableFile::exists(f.tabelas(), QStringLiteral("TbJur")));
        QCOMPARE(f.recorded(QStringLiteral("TbJur")), f.dictionary.version());
    }

    void currentFileIsLeftAlone()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        const QString path = TableFile::path(f.tabelas(), QStringLiteral("TbNiv"));
        const QDateTime before = QFileInfo(path).lastModified();
        RecordedProgress progress;
        QVERIFY(f.check(QStringLiteral("TbNiv")));
        QVERIFY(progress.texts.isEmpty());
        QCOMPARE(QFileInfo(path).lastModified(), before);
    }

    void fileWithoutRecordIsVerifiedAndRecorded()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        f.forget(QStringLiteral("TbJur"));
        RecordedProgress progress;
        QVERIFY(f.check(QStringLiteral("TbJur")));
        QCOMPARE(progress.nonEmpty(), QStringList{QStringLiteral("Verificando estrutura de Tabela de juros")});
        QCOMPARE(f.recorded(QStringLiteral("TbJur")), f.dictionary.version());
    }

    void raisedVersionRestructuresOnceKeepingRecords()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        {
            Table companies;
            companies.setDirectory(f.tabelas());
            companies.setTableName(QStringLiteral("TbEmp"));
            companies.open();
            companies.append();
            companies.setValue(QStringLiteral("cod_emp"), 5);
            companies.setValue(QStringLiteral("nom_emp"), QStringLiteral("EMPRESA CINCO"));
            companies.setValue(QStringLiteral("bai_emp"), QStringLiteral("CENTRO"));
            companies.post();
        }
        f.reshapeCompanies(QStringLiteral("bai_emp"));
        f.dictionary.setVersion(f.dictionary.version() + 1);

        RecordedProgress progress;
        QVERIFY2(f.check(QStringLiteral("TbEmp")), qPrintable(messages.texts().join(QLatin1Char('\n'))));
        QCOMPARE(progress.nonEmpty(), QStringList{QStringLiteral("Verificando estrutura de Cadastro de empresas")});
        QCOMPARE(f.recorded(QStringLiteral("TbEmp")), f.dictionary.version());
        Table companies;
        companies.setDirectory(f.tabelas());
        companies.setTableName(QStringLiteral("TbEmp"));
        companies.open();
        QCOMPARE(companies.recordCount(), 1);
        QCOMPARE(companies.asString(QStringLiteral("nom_emp")), QStringLiteral("EMPRESA CINCO"));
        QVERIFY(companies.hasField(QStringLiteral("ref_emp")));
        QVERIFY(companies.isNull(QStringLiteral("ref_emp")));
        QVERIFY(!companies.hasField(QStringLiteral("bai_emp")));

        progress.texts.clear();
        QVERIFY(f.check(QStringLiteral("TbEmp")));
        QVERIFY(progress.texts.isEmpty());
    }

    void anotherComputerVerifyingTheFile_data()
    {
        QTest::addColumn<bool>("retry");
        QTest::newRow("yes after the other finished") << true;
        QTest::newRow("cancel") << false;
    }
    void anotherComputerVerifyingTheFile()
    {
        QFETCH(bool, retry);
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        const int raised = f.dictionary.version() + 1;
        f.dictionary.setVersion(raised);

        QProcess other;
        other.start(binaryPath(QStringLiteral("framework_peer")),
                    {QStringLiteral("hold"), f.tabelas(), QStringLiteral("TbVerEstru"), QStringLiteral("tab_est"),
                     f.key(QStringLiteral("TbEmp"))});
        QVERIFY(other.waitForReadyRead(10000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("held"));

        messages.answer(retry ? MsgAnswer::Yes : MsgAnswer::Cancel);
        messages.onAsk = [&](const MessageRequest &) {
            if (!retry)
                return;
            other.write("set ver_est " + QByteArray::number(raised) + "\npost\n");
            other.waitForFinished(10000);
        };
        const QString path = TableFile::path(f.tabelas(), QStringLiteral("TbEmp"));
        const QDateTime before = QFileInfo(path).lastModified();
        RecordedProgress progress;
        QCOMPARE(f.check(QStringLiteral("TbEmp")), retry);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown()[0].buttons, MsgButtons::YesCancel);
        QCOMPARE(messages.lastText(), QString::fromUtf8("Tabela TbEmp está sendo verificada por outro operador.\r\n"
                                                        "Deseja tentar novamente ou cancelar a execução do sistema?"));
        QVERIFY(progress.texts.isEmpty());
        QCOMPARE(QFileInfo(path).lastModified(), before);
        other.closeWriteChannel();
        other.waitForFinished(10000);
    }

    void deletedRecordsCopy()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        QCOMPARE(f.dictionary.tableDescription(QStringLiteral("TbEmp_x")), QStringLiteral("Cadastro de empresas excluidos"));
        RecordedProgress progress;
        QVERIFY(f.check(QStringLiteral("TbEmp_x")));
        QCOMPARE(progress.nonEmpty(), QStringList{QStringLiteral("Criando Cadastro de empresas excluidos")});
        QVERIFY(QFileInfo::exists(f.tabelas() + QStringLiteral("TbEmp_X.db")));
        QCOMPARE(f.recorded(QStringLiteral("TbEmp_X")), f.dictionary.version());
    }

    void indexLookups()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        QVERIFY2(f.dictionary.loadIndexDescriptions(f.tabelas()), qPrintable(messages.lastText()));
        QCOMPARE(f.dictionary.indexDescription(QStringLiteral("TbCli"), QStringLiteral("nom_cli")), QStringLiteral("Nome"));
        QCOMPARE(f.dictionary.indexFields(QStringLiteral("TbCli"), QString::fromUtf8("Índice por &Nome")), QStringLiteral("NOM_CLI"));
        QCOMPARE(f.dictionary.indexDescription(QStringLiteral("TbCli"), QStringLiteral("xyz_cli;nom_cli")), QString());
        QCOMPARE(f.dictionary.indexFields(QStringLiteral("TbCli"), QStringLiteral("Índice por Nada")), QString());
    }

    void unreadableIndexDescriptionsAreLoggedAndStartGoesOn()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        QVERIFY(QFile::remove(TableFile::path(f.tabelas(), QStringLiteral("TbStrD"))));
        Session::values().OperatorName = QStringLiteral("ANA");
        QVERIFY(!f.dictionary.loadIndexDescriptions(f.tabelas()));
        QVERIFY(messages.lastText().startsWith(QString::fromUtf8("Não foi possível carregar descrição de índices.\r\n")));
        QFile log(SqlErrorLog::path());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines[0], QStringLiteral("Consulta  : QDesCampo"));
        QCOMPARE(lines[3], QStringLiteral("Operador  : ANA"));
        QCOMPARE(lines[4], QStringLiteral("Texto SQL :"));
        QCOMPARE(lines[5], QString());
        QCOMPARE(lines.mid(6, 5).join(QLatin1Char('\n')), DataDictionary::indexDescriptionsSql());
        QCOMPARE(f.dictionary.indexDescription(QStringLiteral("TbCli"), QStringLiteral("nom_cli")), QString());
    }

    void damagedFileIsReportedAndRefused()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        const QString path = TableFile::path(f.tabelas(), QStringLiteral("TbJur"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
        file.close();
        Session::values().IntegrityCheckMode = 1;
        QVERIFY(!f.check(QStringLiteral("TbJur")));
        QFile report(IntegrityChecker::reportPath());
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(report.readAll());
        QVERIFY2(text.contains(path), qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8("não pode ser usada")));
        // A sound file passes and says so.
        QVERIFY(f.check(QStringLiteral("TbNiv")));
    }

    void liberarClearsEditStamps()
    {
        ScriptedMessages messages;
        Fixture f;
        QVERIFY(f.start());
        {
            Table operators;
            operators.setDirectory(f.tabelas());
            operators.setTableName(QStringLiteral("TbOpr"));
            operators.open();
            operators.append();
            operators.setValue(QStringLiteral("cod_opr"), 1);
            operators.setValue(QStringLiteral("nom_opr"), QStringLiteral("MASTER"));
            operators.setValue(QStringLiteral("ass_opr"), 7);
            operators.post();
        }
        Session::values().LiberarSwitch = true;
        QVERIFY(f.structure->checkGlobalTables());
        Table operators;
        operators.setDirectory(f.tabelas());
        operators.setTableName(QStringLiteral("TbOpr"));
        operators.open();
        QCOMPARE(operators.asInt(QStringLiteral("ass_opr")), 0);
    }
};

REMETIX_TEST(StructureCheckTest)
#include "StructureCheckTest.moc"
