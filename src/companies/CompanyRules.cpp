#include "companies/CompanyRules.h"

#include "framework/DataDictionary.h"
#include "framework/Messages.h"
#include "framework/ProgressText.h"
#include "framework/RecordLocking.h"
#include "framework/RegisterServices.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"
#include "framework/WaitCursor.h"
#include "framework/WorkingCompany.h"
#include "storage/DbError.h"
#include "storage/RecordLockedError.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kCode = QStringLiteral("cod_emp");

// Keeps a cursor where it was across a look-up.
class StayOnRecord
{
public:
    explicit StayOnRecord(Table &t) : t_(t), mark_(t.isEmpty() ? -1 : t.bookmark()) {}
    ~StayOnRecord()
    {
        if (mark_ >= 0)
            t_.gotoBookmark(mark_);
    }

private:
    Table &t_;
    qint64 mark_;
};

double rate(const QString &text) { return double(Kernix::StrToFloatDef(text, 0)) / 10000.0; }

QVariant dateValue(const QString &text)
{
    if (text.trimmed().isEmpty() || !Kernix::TestaData(text))
        return {};
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}

} // namespace

CompanyRules::CompanyRules(TTabPadroes &global) : g_(global) {}

QString CompanyRules::directoryOf(int code) { return WorkingCompany::companyDir(code); }

bool CompanyRules::checkNewCode(const QString &text)
{
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    if (!ok || code <= 0) {
        Messages::plain(QStringLiteral("Código inválido!"));
        return false;
    }
    Table &t = g_.TbEmp;
    t.refresh();
    StayOnRecord stay(t);
    if (t.locate(kCode, {code})) {
        Messages::plain(QStringLiteral("Código já cadastrado!"));
        return false;
    }
    return true;
}

CompanyRules::Found CompanyRules::lookupCompany(const QString &text, int self, bool central)
{
    Table &t = g_.TbEmp;
    t.refresh();
    StayOnRecord stay(t);
    LocateOptions partial;
    partial.partialKey = true;
    const bool found = Kernix::EString(text) ? t.locate(QStringLiteral("nom_emp"), {text.trimmed()}, partial)
                                             : t.locate(kCode, {text.trimmed().toInt()});
    if (!found) {
        Messages::plain(QStringLiteral("Empresa não encontrada!"));
        return {};
    }
    const int code = int(t.asInt(kCode));
    if (code == self) {
        Messages::plain(central ? QStringLiteral("Não é possível informar a própria empresa como sua centralizadora!")
                                : QStringLiteral("Não é possível informar a própria empresa como sua matriz!"));
        return {};
    }
    if (!central && t.asInt(QStringLiteral("mat_emp")) != 0) {
        Messages::plain(QStringLiteral("A empresa informada é filial de outra empresa e\r\n"
                                       "portanto não pode ser indicada como matriz!"));
        return {};
    }
    if (central && t.asInt(QStringLiteral("cen_emp")) != 0) {
        Messages::plain(QStringLiteral("A empresa informada já está centralizando seus cadastros\r\n"
                                       "em outra empresa e portanto não pode ser indicada como Central!"));
        return {};
    }
    return {code, t.asString(QStringLiteral("nom_emp")).trimmed()};
}

CompanyRules::Found CompanyRules::headOffice(const QString &text, int self) { return lookupCompany(text, self, false); }
CompanyRules::Found CompanyRules::central(const QString &text, int self) { return lookupCompany(text, self, true); }

bool CompanyRules::levelExists(const QString &text)
{
    const int level = text.trimmed().toInt();
    if (text.trimmed().isEmpty() || level == 0)
        return true;
    Table &niv = g_.TbNiv;
    niv.setFiltered(false);
    niv.refresh();
    if (niv.locate(QStringLiteral("cod_niv"), {level}))
        return true;
    Messages::plain(QStringLiteral("Nivel não encontrado!"));
    return false;
}

CompanyRules::Found CompanyRules::accountant(const QString &text)
{
    Table &ctd = g_.TbCtd;
    if (!ctd.isOpen())
        return {};
    ctd.refresh();
    const bool byName = Kernix::EString(text);
    bool found = !text.trimmed().isEmpty()
        && (byName ? ctd.locate(QStringLiteral("nom_ctd"), {text.trimmed()})
                   : ctd.locate(QStringLiteral("cod_ctd"), {text.trimmed().toInt()}));
    if (!found) {
        const QVariantList chosen = Seam<SelectionDialog>::get().select(
            QStringLiteral("Pesquisa de Contadores"), ctd, {QStringLiteral("cod_ctd"), QStringLiteral("nom_ctd")},
            {QStringLiteral("Código"), QStringLiteral("Nome")}, false, QStringLiteral("cod_ctd"));
        found = !chosen.isEmpty() && ctd.locate(QStringLiteral("cod_ctd"), {chosen.first()});
    }
    if (!found)
        return {};
    return {int(ctd.asInt(QStringLiteral("cod_ctd"))), ctd.asString(QStringLiteral("nom_ctd")).trimmed()};
}

QString CompanyRules::accountantName(int code)
{
    Table &ctd = g_.TbCtd;
    if (code == 0 || !ctd.isOpen() || !ctd.locate(QStringLiteral("cod_ctd"), {code}))
        return {};
    return ctd.asString(QStringLiteral("nom_ctd")).trimmed();
}

QString CompanyRules::companyName(int code)
{
    if (code == 0)
        return {};
    Table &t = g_.TbEmp;
    StayOnRecord stay(t);
    return t.locate(kCode, {code}) ? t.asString(QStringLiteral("nom_emp")).trimmed() : QString();
}

bool CompanyRules::presenceHeld(int operatorCode, const QString &system)
{
    // A running copy keeps its presence record in edit; a record this cursor
    // can put into edit belongs to nobody.
    Table log;
    log.setDirectory(g_.TbOprLog.directory());
    log.setTableName(QStringLiteral("TbOprLog"));
    log.open();
    log.setFilter(QStringLiteral("cod_opr = %1").arg(operatorCode));
    log.setFiltered(true);
    for (log.first(); !log.eof(); log.next()) {
        if (!system.isEmpty() && log.asString(QStringLiteral("sis_opr")).trimmed().toUpper() != system)
            continue;
        try {
            log.edit();
            log.cancel();
        } catch (const RecordLockedError &) {
            return true;
        }
    }
    return false;
}

bool CompanyRules::inUseByOtherOperator(int code)
{
    Table &opr = g_.TbOpr;
    opr.refresh();
    const int self = Session::values().OperatorCode;
    for (opr.first(); !opr.eof(); opr.next()) {
        const int who = int(opr.asInt(QStringLiteral("cod_opr")));
        if (who != self && opr.asInt(QStringLiteral("emp_opr")) == code && presenceHeld(who, QStringLiteral("RX")))
            return true;
    }
    return false;
}

bool CompanyRules::claim(Table &companies)
{
    if (RecordLocking::editConflict(companies, RecordLocking::ConflictMode::Change) != RecordLocking::Conflict::Proceed)
        return false;
    try {
        companies.edit();
        if (companies.state() != Table::State::Edit)
            return false;
        companies.setValue(QStringLiteral("ass_opr"), Session::values().OperatorCode);
        companies.post();
        return true;
    } catch (const DbError &) {
        if (companies.state() == Table::State::Edit)
            companies.cancel();
        return false;
    }
}

void CompanyRules::releaseClaim(Table &companies)
{
    if (companies.isOpen() && !companies.isEmpty()
        && companies.asInt(QStringLiteral("ass_opr")) == Session::values().OperatorCode)
        RecordLocking::clearStamp(companies);
}

CompanyRules::Refusal CompanyRules::validate(const CompanyForm &form, bool inserting)
{
    const QString ficha = QStringLiteral("Ficha");
    const QString complemento = QStringLiteral("Complemento");
    if (form.name.trimmed().isEmpty()) {
        Messages::plain(QStringLiteral("Nome da empresa é obrigatório!"));
        return {QStringLiteral("Ed_Nome"), ficha};
    }
    if (!form.registryDate.isEmpty() && !Kernix::TestaData(form.registryDate))
        return {QStringLiteral("Ed_DataJunta"), ficha};
    if (!form.startDate.isEmpty() && !Kernix::TestaData(form.startDate))
        return {QStringLiteral("Ed_IniAtividade"), complemento};
    if (inserting && !checkNewCode(form.code))
        return {QStringLiteral("Ed_Codigo"), ficha};
    if (form.modality == QLatin1Char('0') && !form.issqnTaxpayer) {
        Messages::plain(QStringLiteral("Não é possível cadastrar empresa sem informar a modalidade\r\n"
                                       "junto ao estado ou município!"));
        return {QStringLiteral("cbTipoEmpresa"), complemento};
    }
    return {};
}

void CompanyRules::write(Table &t, const CompanyForm &f, const CompanyOptions &options, bool inserting)
{
    const auto text = [&](const char *field, const QString &value) { t.setValue(QString::fromLatin1(field), value); };
    if (inserting) {
        t.setValue(kCode, f.code.trimmed().toInt());
        for (const char *zero : {"fxa_emp", "pen_emp", "psa_emp", "nm1_emp", "nm2_emp", "nm3_emp"})
            t.setValue(QString::fromLatin1(zero), 0);
        text("puloli_emp", f.sixLinesPerInch ? QStringLiteral("1/6") : QStringLiteral("1/8"));
    }
    text("nom_emp", f.name.trimmed().toUpper());
    text("end_emp", f.street);
    text("nro_emp", f.number);
    text("com_emp", f.complement);
    text("bai_emp", f.district);
    text("cep_emp", f.postalCode);
    text("cid_emp", f.city);
    text("uf_emp", f.state);
    text("fon_emp", f.phone);
    text("fax_emp", f.fax);
    text("cgc_emp", f.cnpj);
    text("cpf_emp", f.cpf);
    text("ine_emp", f.stateRegistration);
    text("inm_emp", f.cityRegistration);
    text("cei_emp", f.cei);
    text("cae_emp", f.cae);
    text("rjc_emp", f.registry);
    t.setValue(QStringLiteral("djc_emp"), dateValue(f.registryDate));
    text("rep_emp", f.representative);
    text("cre_emp", f.representativeCpf);
    text("car_emp", f.position);
    t.setValue(QStringLiteral("tqa_emp"), f.signer);
    text("sit_emp", f.site.toLower());
    text("ema_emp", f.email.toLower());
    t.setValue(QStringLiteral("ctd_emp"), f.accountant);
    text("obs_emp", f.observations);
    t.setValue(QStringLiteral("imag_emp"), f.logo.isEmpty() ? QVariant() : QVariant(f.logo));
    t.setValue(QStringLiteral("mat_emp"), f.headOffice);
    t.setValue(QStringLiteral("cen_emp"), f.central);
    t.setValue(QStringLiteral("niv_emp"), f.level);
    text("tip_emp", options.companyType(f.modality));
    t.setValue(QStringLiteral("icm_emp"), f.modality == QLatin1Char('0') ? 0.0 : rate(f.icms));
    t.setValue(QStringLiteral("iss_emp"), f.issqnTaxpayer ? rate(f.issqnRate) : 0.0);
    t.setValue(QStringLiteral("iat_emp"), dateValue(f.startDate));
    text("cfg_emp", options.cfg());
    text("lfc_emp", options.lfc());
    t.setValue(QStringLiteral("ass_opr"), 0);
}

namespace {

CompanyOptions withBoxes(CompanyOptions options, const CompanyForm &f)
{
    options.setCfgFlag(CompanyOptions::CodCli, f.generateClientCodes);
    options.setCfgFlag(CompanyOptions::Issqn, f.issqnTaxpayer);
    options.setCfgFlag(CompanyOptions::Ipi, f.ipiTaxpayer);
    options.applyFixed();
    return options;
}

} // namespace

bool CompanyRules::insert(const CompanyForm &form, CompanyOptions options)
{
    Table &t = g_.TbEmp;
    const int code = form.code.trimmed().toInt();
    if (!RecordLocking::lock({QStringLiteral("TbEmp")}))
        return false;
    const auto refuse = [](const QString &text) {
        RecordLocking::unlock({QStringLiteral("TbEmp")});
        if (!text.isEmpty())
            Messages::plain(text);
        return false;
    };
    try {
        t.refresh();
        if (t.locate(kCode, {code}))
            return refuse(QStringLiteral("Código da empresa já existe!"));
        const QString dir = directoryOf(code);
        QDir().mkpath(dir);
        if (!QFileInfo(dir).isDir())
            return refuse(QStringLiteral("Não foi possível criar diretório ") + QDir::toNativeSeparators(dir)
                          + QStringLiteral(". Inclusão impossível!"));
        t.append();
        if (t.state() != Table::State::Insert)
            return refuse({});
        write(t, form, withBoxes(options, form), true);
        t.post();
        t.flush();
    } catch (const DbError &e) {
        if (t.state() != Table::State::Browse)
            t.cancel();
        RecordLocking::unlock({QStringLiteral("TbEmp")});
        Kernix::TrataErro(QStringLiteral("Erro ao incluir empresa: "), e.message());
        return false;
    }
    RecordLocking::unlock({QStringLiteral("TbEmp")});
    return true;
}

CompanyRules::ChangeResult CompanyRules::change(const CompanyForm &form, int code, CompanyOptions options)
{
    Table &t = g_.TbEmp;
    try {
        t.refresh();
        if (!t.locate(kCode, {code})) {
            Messages::plain(QStringLiteral("Não foi possível localizar o registro que estava sendo alterado. "
                                           "Processo cancelado!"));
            return ChangeResult::Cancelled;
        }
        switch (RecordLocking::editConflict(t, RecordLocking::ConflictMode::Change)) {
        case RecordLocking::Conflict::Proceed:
            break;
        case RecordLocking::Conflict::Reload:
            return ChangeResult::Reloaded;
        case RecordLocking::Conflict::Cancel:
            return ChangeResult::Cancelled;
        }
        t.edit();
        if (t.state() != Table::State::Edit)
            return ChangeResult::Cancelled;
        write(t, form, withBoxes(options, form), false);
        t.post();
        t.flush();
    } catch (const DbError &e) {
        if (t.state() != Table::State::Browse)
            t.cancel();
        Kernix::TrataErro(QStringLiteral("Erro ao alterar empresa: "), e.message());
        return ChangeResult::Cancelled;
    }
    return ChangeResult::Written;
}

bool CompanyRules::mayDelete(int code)
{
    Table &t = g_.TbEmp;
    t.refresh();
    if (t.isEmpty()) {
        Messages::plain(QStringLiteral("Não existem empresas para excluir!"));
        return false;
    }
    const QString companyDir = Session::values().CompanyDir;
    if (!companyDir.isEmpty() && QDir::cleanPath(companyDir).endsWith(QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0')))) {
        Messages::plain(QStringLiteral("Impossível excluir a empresa em uso!"));
        return false;
    }
    StayOnRecord stay(t);
    for (t.first(); !t.eof(); t.next())
        if (t.asInt(QStringLiteral("cen_emp")) == code) {
            Messages::information(QStringLiteral("Esta empresa está apontada como empresa central de outra.\r\n"
                                                 "Exclusão impossível!"));
            return false;
        }
    return true;
}

bool CompanyRules::directoryRemovable(const QString &dir, QString *blocking)
{
    // A file is removable when this process may write to it and to its folder;
    // nothing is deleted before every one of them passes.
    // A folder inside it is never removed by the delete, so it blocks too.
    const QFileInfo folder(dir);
    const QFileInfoList entries =
        QDir(dir).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : entries) {
        QFile probe(file.absoluteFilePath());
        if (!folder.isWritable() || file.isDir() || !probe.open(QIODevice::ReadWrite)) {
            *blocking = file.fileName();
            return false;
        }
    }
    return true;
}

bool CompanyRules::remove(int code)
{
    Table &t = g_.TbEmp;
    WaitCursor cursor;
    Progress::show(QStringLiteral("Excluindo empresa..."));
    const auto finish = [&](bool result) {
        Progress::show({});
        return result;
    };
    const QString dir = directoryOf(code);
    if (QFileInfo(dir).isDir()) {
        QString blocking;
        if (!directoryRemovable(dir, &blocking)) {
            cursor.restore();
            Messages::plain(QStringLiteral("Não foi possível apagar arquivo ") + blocking);
            return finish(false);
        }
    }
    if (!RecordLocking::lock({QStringLiteral("TbEmp")}))
        return finish(false);
    const auto unlock = [] { RecordLocking::unlock({QStringLiteral("TbEmp")}); };

    Table &opr = g_.TbOpr;
    opr.refresh();
    for (opr.first(); !opr.eof(); opr.next()) {
        if (opr.asInt(QStringLiteral("emp_opr")) != code)
            continue;
        if (presenceHeld(int(opr.asInt(QStringLiteral("cod_opr"))), {})) {
            unlock();
            cursor.restore();
            Messages::plain(QStringLiteral("Empresa está em uso no momento por outro operador. Exclusão impossível!"));
            return finish(false);
        }
        try {
            opr.edit();
            if (opr.state() != Table::State::Edit)
                throw DbError(QStringLiteral("edit refused"));
            opr.setValue(QStringLiteral("emp_opr"), 0);
            opr.post();
            opr.flush();
        } catch (const DbError &) {
            if (opr.state() != Table::State::Browse)
                opr.cancel();
            Messages::error(QStringLiteral("Não foi possível desvincular esta empresa do cadastro de operadores!"));
        }
    }

    try {
        t.refresh();
        if (!t.locate(kCode, {code})) {
            unlock();
            Messages::warning(QStringLiteral("Empresa %1 não foi encontrada!").arg(code, 3, 10, QLatin1Char('0')));
            return finish(false);
        }
        if (RecordLocking::editConflict(t, RecordLocking::ConflictMode::DeleteConfirmed)
            != RecordLocking::Conflict::Proceed) {
            unlock();
            releaseClaim(t);
            return finish(false);
        }
        t.remove();
        t.flush();
    } catch (const DbError &e) {
        unlock();
        releaseClaim(t);
        Kernix::TrataErro(QStringLiteral("Erro ao excluir empresa: "), e.message());
        return finish(false);
    }
    unlock();

    // The verified-structure keys are the upper-case directory and file name.
    const QString prefix = (QDir::cleanPath(dir) + QLatin1Char('/')).toUpper();
    Table &ver = g_.TbVerEstru;
    try {
        ver.refresh();
        for (ver.first(); !ver.eof();) {
            const QString path = ver.asString(QStringLiteral("tab_est")).toUpper();
            if (QDir::cleanPath(path).startsWith(prefix)) {
                ver.remove();
                ver.flush();
            } else {
                ver.next();
            }
        }
    } catch (const DbError &e) {
        Kernix::TrataErro(QStringLiteral("Erro ao excluir estruturas verificadas: "), e.message());
    }

    if (QFileInfo(dir).isDir()) {
        for (const QFileInfo &file : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (!QFile::remove(file.absoluteFilePath())) {
                cursor.restore();
                Messages::plain(QStringLiteral("Não foi possível apagar arquivo ") + file.fileName());
                return finish(true);
            }
        }
        QDir::setCurrent(Session::values().ProgramDir);
        if (!QDir().rmdir(dir)) {
            cursor.restore();
            Messages::plain(QStringLiteral("Não foi possível apagar o diretório desta empresa!"));
        }
    }
    return finish(true);
}
