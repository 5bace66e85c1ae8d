#include "framework/ModuleRights.h"
#include "framework/OpenTableRegister.h"
#include "framework/Session.h"
#include "framework/SessionEvents.h"
#include "framework/UniKernix.h"
#include "framework/UniTabEmpresa.h"
#include "framework/UniTabPadroes.h"
#include "framework/WorkingCompany.h"
#include "storage/TableFile.h"
#include "testsupport/FixedClock.h"
#include "testsupport/RecordedProgress.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

class RecordedOverride : public SupervisorOverride
{
public:
    RecordedOverride() : seam_(*this) {}
    bool release(int position, const QString &module) override
    {
        asked << QStringLiteral("%1:%2").arg(position).arg(module);
        return grant;
    }
    QStringList asked;
    bool grant = false;

private:
    ScopedSeam<SupervisorOverride> seam_;
};

void addCompany(Table &companies, int code, int central, const QString &name, int level = 9)
{
    companies.append();
    companies.setValue(QStringLiteral("cod_emp"), code);
    companies.setValue(QStringLiteral("cen_emp"), central);
    companies.setValue(QStringLiteral("nom_emp"), name);
    companies.setValue(QStringLiteral("niv_emp"), level);
    companies.post();
}

} // namespace

class DataModulesTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TempInstallation> inst;
    std::unique_ptr<TTabPadroes> global;

    // A started program on the shared installation, logged in as MASTER.
    bool startGlobal()
    {
        global = std::make_unique<TTabPadroes>();
        if (!global->create())
            return false;
        SessionValues &s = Session::values();
        s.OperatorName = QStringLiteral("MASTER");
        s.OperatorPassword = Kernix::Converte(QStringLiteral("ZELNOK"), 8).left(8);
        s.OperatorCode = 1;
        return true;
    }
    void setOperator(const QString &field, const QVariant &value)
    {
        Table &opr = global->TbOpr;
        opr.refresh();
        QVERIFY(opr.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")}));
        opr.edit();
        opr.setValue(field, value);
        opr.post();
    }
    int storedChoice()
    {
        Table opr;
        opr.setDirectory(inst->tabelasDir());
        opr.setTableName(QStringLiteral("TbOpr"));
        opr.open();
        opr.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")});
        return int(opr.asInt(QStringLiteral("emp_opr")));
    }

private slots:
    void initTestCase()
    {
        inst = std::make_unique<TempInstallation>();
        QVERIFY(inst->initData());
    }
    void init()
    {
        Session::reset();
        Session::values().ExeDir = inst->exeDir();
        Session::values().ProgramDir = inst->dataRoot();
    }
    void cleanup()
    {
        TTabEmpresa::replace(nullptr);
        global.reset();
        Session::reset();
    }

    // Runs first: the installation's operator table is still empty.
    void firstStartCreatesMasterAndLeavesPostalCodesClosed()
    {
        FixedClock clock(QDateTime(QDate(2026, 3, 9), QTime(8, 0)));
        ScriptedMessages messages;
        QVERIFY(startGlobal());
        QCOMPARE(TTabPadroes::instance(), global.get());
        QCOMPARE(messages.texts().join(QStringLiteral("|")), QStringList{QString::fromUtf8("Cadastro de operadores foi criado novamente.\r\n"
                                                                 "Somente operador Master está disponível.")}.join(QStringLiteral("|")));
        QCOMPARE(messages.shown()[0].icon, MsgIcon::Warning);
        Table &opr = global->TbOpr;
        QCOMPARE(opr.recordCount(), 1);
        QCOMPARE(opr.asString(QStringLiteral("nom_opr")), QStringLiteral("MASTER"));
        QCOMPARE(opr.asString(QStringLiteral("sen_opr")), Kernix::Converte(QStringLiteral("ZELNOK"), 8));
        QCOMPARE(opr.asInt(QStringLiteral("cod_opr")), 1);
        QCOMPARE(opr.asInt(QStringLiteral("niv_opr")), 0);
        QCOMPARE(opr.asString(QStringLiteral("mes_opr")), QStringLiteral("03"));
        QCOMPARE(opr.asString(QStringLiteral("ano_opr")), QStringLiteral("2026"));
        QCOMPARE(opr.asString(QStringLiteral("lpt_opr")), QStringLiteral("LPT1"));
        QVERIFY(global->TbOprLog.isOpen() && global->TbOprLog1.isOpen());
        QVERIFY(!global->TbCep.isOpen());
        QCOMPARE(global->Tbetq.directory(), global->tabelasDir());
        QVERIFY(global->Dictionary.indexDescriptionsLoaded());

        global.reset();
        QVERIFY(!TTabPadroes::instance());
        messages.clear();
        QVERIFY(startGlobal());
        QVERIFY(messages.shown().isEmpty());
    }

    void missingVerifiedStructuresMakesEveryGlobalTableVerifiedOnce()
    {
        ScriptedMessages messages;
        QVERIFY(QFile::remove(TableFile::path(inst->tabelasDir(), QStringLiteral("TbVerEstru"))));
        {
            RecordedProgress progress;
            QVERIFY(startGlobal());
            const QStringList verified = progress.texts.filter(QStringLiteral("Verificando estrutura de "));
            QCOMPARE(verified.size(), 8);

            QVERIFY(verified.contains(QStringLiteral("Verificando estrutura de Cadastro de empresas")));
        }
        global.reset();
        RecordedProgress progress;
        QVERIFY(startGlobal());
        QVERIFY(progress.texts.filter(QStringLiteral("Verificando")).isEmpty());
        QVERIFY(messages.shown().isEmpty());
    }

    void companyWithCentralCompanySplitsItsTables()
    {
        ScriptedMessages messages;
        QVERIFY(startGlobal());
        addCompany(global->TbEmp, 3, 0, QStringLiteral("MATRIZ"));
        addCompany(global->TbEmp, 12, 3, QStringLiteral("FILIAL"));
        QVERIFY(global->TbEmp.locate(QStringLiteral("cod_emp"), {12}));
        QSignalSpy changed(&SessionEvents::instance(), &SessionEvents::companyChanged);
        QVERIFY(WorkingCompany::SelectCurrentCompany());
        const SessionValues &s = Session::values();
        QCOMPARE(s.CompanyCode, 12);
        QCOMPARE(s.CentralCode, 3);
        QCOMPARE(s.CompanyDir, inst->tabelasDir() + QStringLiteral("012"));
        QCOMPARE(s.CentralDir, inst->tabelasDir() + QStringLiteral("003"));
        TTabEmpresa *company = TTabEmpresa::instance();
        QVERIFY(company);
        QCOMPARE(company->TbCli.directory(), inst->tabelasDir() + QStringLiteral("003/"));
        QCOMPARE(company->TbLog.directory(), inst->tabelasDir() + QStringLiteral("012/"));
        QVERIFY(TableFile::exists(s.CentralDir, QStringLiteral("TbCli")));
        QVERIFY(TableFile::exists(s.CompanyDir, QStringLiteral("TbTit")));
        QVERIFY(!TableFile::exists(s.CompanyDir, QStringLiteral("TbCli")));
        QCOMPARE(changed.last().at(0).toString(), QStringLiteral("012 - FILIAL"));
        QCOMPARE(storedChoice(), 12);

        // The register's variant refuses the company already selected.
        WorkingCompany::RegisterSteps steps;
        QVERIFY(!WorkingCompany::SelectCurrentCompany(&steps));
        QCOMPARE(messages.lastText(), QString::fromUtf8("Esta empresa já está selecionada!"));

        // A backup marker refuses the switch and changes nothing.
        QFile marker(inst->tabelasDir() + QStringLiteral("003/Trava.bkp"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QVERIFY(global->TbEmp.locate(QStringLiteral("cod_emp"), {3}));
        QVERIFY(!WorkingCompany::SelectCurrentCompany(&steps));
        QCOMPARE(messages.lastText(), QString::fromUtf8("Empresa está em processo de backup. Seleção não disponível!"));
        QCOMPARE(s.CompanyCode, 12);
        QCOMPARE(s.CentralDir, inst->tabelasDir() + QStringLiteral("003"));
        QCOMPARE(TTabEmpresa::instance(), company);
        QCOMPARE(storedChoice(), 12);
        QVERIFY(marker.remove());
        QVERIFY(WorkingCompany::SelectCurrentCompany(&steps));
        QCOMPARE(s.CompanyCode, 3);
        QCOMPARE(s.CentralDir, s.CompanyDir);
        QCOMPARE(storedChoice(), 3);
    }

    void levelGate_data()
    {
        QTest::addColumn<int>("companyLevel");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("3 vs 2") << 2 << false;
        QTest::newRow("3 vs 3") << 3 << true;
    }
    void levelGate()
    {
        QFETCH(int, companyLevel);
        QFETCH(bool, allowed);
        ScriptedMessages messages;
        QVERIFY(startGlobal());
        setOperator(QStringLiteral("niv_opr"), 3);
        addCompany(global->TbEmp, 40 + companyLevel, 0, QStringLiteral("NIVEL"), companyLevel);
        QVERIFY(global->TbEmp.locate(QStringLiteral("cod_emp"), {40 + companyLevel}));
        bool closedOthers = false;
        QCOMPARE(WorkingCompany::SelectFromRegister([&] { closedOthers = true; }, {}), allowed);
        QCOMPARE(closedOthers, allowed);
        if (!allowed)
            QCOMPARE(messages.lastText(), QString::fromUtf8("Operador com Nível não permitido para acessar esta empresa!"));
        setOperator(QStringLiteral("niv_opr"), 0);
    }

    void restoreOperatorCompany()
    {
        ScriptedMessages messages;
        QVERIFY(startGlobal());
        addCompany(global->TbEmp, 7, 0, QStringLiteral("ACME"));
        setOperator(QStringLiteral("emp_opr"), 7);
        QVERIFY(WorkingCompany::LocateSessionOperator());
        QVERIFY(WorkingCompany::RestoreOperatorCompany());
        QCOMPARE(Session::values().CompanyCode, 7);
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join(QStringLiteral("|"))));

        setOperator(QStringLiteral("emp_opr"), 99);
        QVERIFY(WorkingCompany::LocateSessionOperator());
        QVERIFY(WorkingCompany::RestoreOperatorCompany());
        QCOMPARE(messages.lastText(), QString::fromUtf8("Empresa selecionada não encontrada!\r\nSelecione outra para trabalho."));
        QCOMPARE(Session::values().CompanyCode, 0);
        QVERIFY(Session::values().CompanyDir.isEmpty());
        QCOMPARE(storedChoice(), 0);
    }

    void windowsShareTables()
    {
        ScriptedMessages messages;
        QVERIFY(startGlobal());
        addCompany(global->TbEmp, 8, 0, QStringLiteral("OITO"));
        QVERIFY(global->TbEmp.locate(QStringLiteral("cod_emp"), {8}));
        QVERIFY(WorkingCompany::SelectCurrentCompany());
        TTabEmpresa *company = TTabEmpresa::instance();
        OpenTableRegister &reg = OpenTableRegister::instance();
        const TTabela cli{&company->TbCli, QStringLiteral("TbCli"), Session::values().CentralDir};
        const TTabela log{&company->TbLog, QStringLiteral("TbLog"), Session::values().CompanyDir};
        QVERIFY(reg.openWindowTables(QStringLiteral("ForCli"), {cli}));
        QVERIFY(reg.openWindowTables(QStringLiteral("ForEtq"), {cli, log}));
        QVERIFY(company->TbCli.isOpen());
        QVERIFY(reg.closeWindowTables(QStringLiteral("forcli")));
        QVERIFY(company->TbCli.isOpen());
        QVERIFY(reg.closeWindowTables(QStringLiteral("ForEtq")));
        QVERIFY(!company->TbCli.isOpen());
        QVERIFY(!company->TbLog.isOpen());
        QCOMPARE(reg.count(), 0);

        const TTabela missing{&company->TbFor, QStringLiteral("TbNada"), Session::values().CentralDir};
        QVERIFY(!reg.openWindowTables(QStringLiteral("ForX"), {missing}));
        QVERIFY(messages.lastText().startsWith(QString::fromUtf8("Não foi possível abrir tabelas para o form  ForX\r\n")));
    }

    void moduleRights()
    {
        ScriptedMessages messages;
        RecordedOverride supervisor;
        QVERIFY(startGlobal());
        QVERIFY(ModuleRights::moduleRight(4, QStringLiteral("CAD_CLI")));
        QVERIFY(!ModuleRights::moduleRight(4, QStringLiteral("XXX_YYY")));
        QCOMPARE(messages.lastText(), QString::fromUtf8("Módulo não disponível.\r\nAcesso negado."));
        QVERIFY(supervisor.asked.isEmpty());

        Table &levels = global->TbNiv;
        levels.append();
        levels.setValue(QStringLiteral("num_niv"), 1);
        levels.setValue(QStringLiteral("cod_niv"), 2);
        levels.setValue(QStringLiteral("mod_niv"), QStringLiteral("CAD_CLI"));
        levels.setValue(QStringLiteral("ace_niv"), QStringLiteral("SNNS"));
        levels.post();
        Session::values().OperatorLevel = 2;
        QVERIFY(ModuleRights::moduleRight(1, QStringLiteral("CAD_CLI")));
        QVERIFY(!ModuleRights::moduleRight(3, QStringLiteral("CAD_CLI")));
        supervisor.grant = true;
        QVERIFY(ModuleRights::moduleRight(4, QStringLiteral("CAD_ETQ")));
        QCOMPARE(supervisor.asked, (QStringList{QStringLiteral("3:CAD_CLI"), QStringLiteral("4:CAD_ETQ")}));
    }

    void backupRunning()
    {
        ScriptedMessages messages;
        QVERIFY(!ModuleRights::backupRunning());
        QFile marker(inst->tabelasDir() + QStringLiteral("Trava.bkp"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QVERIFY(ModuleRights::backupRunning());
        QCOMPARE(messages.lastText(), QString::fromUtf8("Backup está sendo processado. Acesso não disponível!"));
        marker.remove();
    }
};

REMETIX_TEST(DataModulesTest)
#include "DataModulesTest.moc"
