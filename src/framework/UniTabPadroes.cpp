#include "framework/UniTabPadroes.h"

#include "framework/Clock.h"
#include "framework/GlobalStructure.h"
#include "framework/IntegrityChecker.h"
#include "framework/Messages.h"
#include "framework/ProgressText.h"
#include "framework/RecordLocking.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/WaitCursor.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/TableFile.h"

#include <QCoreApplication>

namespace {

TTabPadroes *g_instance = nullptr;

const QString kEnd = QStringLiteral(" Impossível continuar a aplicação!");

using RecordLocking::lockEvent;
using RecordLocking::unlockEvent;

} // namespace

TTabPadroes::TTabPadroes()
{
    const QList<QPair<Table *, const char *>> names{
        {&TbEmp, "TbEmp"}, {&TbOpr, "TbOpr"}, {&TbOprLog, "TbOprLog"}, {&TbOprLog1, "TbOprLog1"},
        {&TbNiv, "TbNiv"}, {&TbMod, "TbMod"}, {&Tbetq, "Tbetq"}, {&TbCep, "TbCep"},
        {&TbJur, "TbJur"}, {&TbCtd, "TbCtd"}, {&TbGiaPai, "TbGiaPai"},
    };
    for (const auto &[table, name] : names)
        table->setObjectName(QString::fromLatin1(name));
    TbEmp.setTableName(QStringLiteral("TbEmp"));
    TbOpr.setTableName(QStringLiteral("TbOpr"));
    TbOprLog.setTableName(QStringLiteral("TbOprLog"));
    TbOprLog1.setTableName(QStringLiteral("TbOprLog"));
    TbNiv.setTableName(QStringLiteral("TbNiv"));
    TbMod.setTableName(QStringLiteral("TbMod"));
    Tbetq.setTableName(QStringLiteral("Tbetq"));
    TbCep.setTableName(QStringLiteral("Cep"));
    TbJur.setTableName(QStringLiteral("TbJur"));
    TbCtd.setTableName(QStringLiteral("TbCtd"));
    TbGiaPai.setTableName(QStringLiteral("TbGiaPai"));
    attachEvents();
}

TTabPadroes::~TTabPadroes()
{
    if (g_instance == this) {
        g_instance = nullptr;
        InstalledApplications::setCurrent(nullptr);
    }
}

TTabPadroes *TTabPadroes::instance() { return g_instance; }

bool TTabPadroes::openTable(Table &table, const QString &file, const QString &progress, const QString &failure)
{
    Progress::show(progress);
    try {
        table.close();
        table.setDirectory(tabelas_);
        table.setTableName(file);
        table.open();
    } catch (const DbError &e) {
        Kernix::TrataErro(failure, e.message());
        return false;
    }
    return true;
}

bool TTabPadroes::create()
{
    const SessionValues &session = Session::values();
    WaitCursor cursor;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    GlobalStructure structure(Dictionary, session.ProgramDir);
    tabelas_ = structure.tabelasDir();
    applications_ = InstalledApplications::load(tabelas_);
    // The sibling checks below ask ApplicationInstalled already.
    InstalledApplications::setCurrent(&applications_);
    const auto fail = [&]() {
        InstalledApplications::setCurrent(nullptr);
        Progress::show(QString());
        return false;
    };

    if (!structure.openDictionary() || !structure.moduleTablePresent())
        return fail();
    if (session.IntegrityCheckMode != 0
        && !IntegrityChecker::CheckTable(tabelas_ + QStringLiteral("TbMod.db"), session.ProgramDir))
        return fail();
    if (!openTable(TbMod, QStringLiteral("TbMod"), QStringLiteral("Abrindo Cadastro de Módulos"),
                   QStringLiteral("Não foi possível abrir Cadastro de Módulos.") + kEnd))
        return fail();
    if (!structure.openVerifiedStructures() || !structure.checkGlobalTables())
        return fail();

    const QString oprDescription = Dictionary.tableDescription(QStringLiteral("TbOpr"));
    if (!openTable(TbOpr, QStringLiteral("TbOpr"), QStringLiteral("Abrindo ") + oprDescription,
                   QStringLiteral("Não foi possível abrir ") + oprDescription + QStringLiteral(".") + kEnd))
        return fail();
    if (TbOpr.isEmpty()) {
        try {
            createFirstOperator();
        } catch (const DbError &e) {
            Kernix::TrataErro(QStringLiteral("Não foi possível abrir ") + oprDescription + QStringLiteral(".") + kEnd,
                              e.message());
            return fail();
        }
        Messages::warning(oprDescription + QStringLiteral(" foi criado novamente.\r\nSomente operador Master está disponível."));
    }
    const QString logDescription = Dictionary.tableDescription(QStringLiteral("TbOprLog"));
    for (Table *log : {&TbOprLog, &TbOprLog1})
        if (!openTable(*log, QStringLiteral("TbOprLog"), QStringLiteral("Abrindo ") + logDescription,
                       QStringLiteral("Não foi possível abrir ") + logDescription + QStringLiteral(".") + kEnd))
            return fail();
    for (const auto &[table, file] : {std::pair{&TbEmp, QStringLiteral("TbEmp")}, std::pair{&TbNiv, QStringLiteral("TbNiv")}}) {
        const QString description = Dictionary.tableDescription(file);
        if (!openTable(*table, file, QStringLiteral("Abrindo ") + description,
                       QStringLiteral("Não foi possível abrir ") + description + QStringLiteral(".") + kEnd))
            return fail();
    }
    if (TableFile::exists(tabelas_, QStringLiteral("Cep"))) {
        const QString description = Dictionary.tableDescription(QStringLiteral("Cep"));
        if (!openTable(TbCep, QStringLiteral("Cep"), QStringLiteral("Abrindo ") + description,
                       QStringLiteral("Não foi possível abrir ") + description + QStringLiteral(".") + kEnd))
            return fail();
    }
    for (Table *table : {&Tbetq, &TbJur, &TbCtd, &TbGiaPai})
        table->setDirectory(tabelas_);

    Dictionary.loadIndexDescriptions(tabelas_);
    Progress::show(QString());
    g_instance = this;
    return true;
}

void TTabPadroes::createFirstOperator()
{
    const QDate today = Clocks::current().today();
    TbOpr.append();
    TbOpr.setValue(QStringLiteral("nom_opr"), QStringLiteral("MASTER"));
    TbOpr.setValue(QStringLiteral("sen_opr"), Kernix::Converte(QStringLiteral("ZELNOK"), 8).left(8));
    TbOpr.setValue(QStringLiteral("lpt_opr"), QStringLiteral("LPT1"));
    TbOpr.setValue(QStringLiteral("emp_opr"), 0);
    TbOpr.setValue(QStringLiteral("niv_opr"), 0);
    TbOpr.setValue(QStringLiteral("cod_opr"), 1);
    TbOpr.setValue(QStringLiteral("mes_opr"), QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0')));
    TbOpr.setValue(QStringLiteral("ano_opr"), QString::number(today.year()));
    TbOpr.post();
}

bool TTabPadroes::operatorLock()
{
    const QString name = TbOpr.asString(QStringLiteral("nom_opr"));
    const QString password = TbOpr.asString(QStringLiteral("sen_opr"));
    if (!RecordLocking::lock({QStringLiteral("TbOpr")}))
        return false;
    TbOpr.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
    TbOpr.locate(QStringLiteral("nom_opr;sen_opr"), {name, password});
    return true;
}

void TTabPadroes::attachEvents()
{
    TbEmp.beforeInsert = TbEmp.beforeEdit = lockEvent(QStringLiteral("TbEmp"));
    TbEmp.afterPost = TbEmp.afterCancel = TbEmp.afterDelete = unlockEvent(QStringLiteral("TbEmp"));
    TbEmp.afterOpen = [](Table &t) {
        t.setDisplayFormat(QStringLiteral("cod_emp"), QStringLiteral("000"));
        t.setDisplayFormat(QStringLiteral("dba_emp"), QStringLiteral("dd/mm/yyyy"));
    };

    TbOpr.beforeInsert = TbOpr.beforeEdit = TbOpr.beforeDelete = [this](Table &) { return operatorLock(); };
    TbOpr.afterPost = TbOpr.afterCancel = TbOpr.afterDelete = unlockEvent(QStringLiteral("TbOpr"));
    TbOpr.afterOpen = [](Table &t) { t.setDisplayFormat(QStringLiteral("nas_opr"), QStringLiteral("dd/mm/yyyy")); };

    Tbetq.beforeInsert = Tbetq.beforeEdit = Tbetq.beforeDelete = lockEvent(QStringLiteral("TbEtq"));
    Tbetq.afterPost = Tbetq.afterCancel = Tbetq.afterDelete = unlockEvent(QStringLiteral("TbEtq"));
}
