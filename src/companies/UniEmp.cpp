#include "companies/UniEmp.h"

#include "framework/FileDialogs.h"
#include "framework/Listings.h"
#include "framework/MaskedText.h"
#include "framework/MdiChild.h"
#include "framework/Messages.h"
#include "framework/ModuleRights.h"
#include "framework/RecordLocking.h"
#include "framework/UniKernix.h"
#include "storage/DbError.h"
#include "framework/OpenTableRegister.h"
#include "framework/RegisterGrid.h"
#include "framework/Session.h"
#include "framework/SessionEvents.h"
#include "framework/TChecaCGC.h"
#include "framework/TChecaCPF.h"
#include "framework/UniTabEmpresa.h"
#include "framework/UniTabPadroes.h"
#include "framework/WaitCursor.h"
#include "framework/WorkingCompany.h"
#include "storage/Table.h"

#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>

namespace {

const QString kModule = QStringLiteral("CAD_EMP");
const QString kWindow = QStringLiteral("FOREMP");

const char *const kSigners[] = {"203-Diretor", "204-Conselheiro de Administração", "205-Administrador",
                                "206-Administrador do Grupo", "207-Administrador de Sociedade Filiada",
                                "220-Administrador Judicial - Pessoa Física",
                                "222-Administrador Judicial - Pessoa Jurídica - Profissional Responsável",
                                "223-Administrador Judicial/Gestor", "226-Gestor Judicial", "309-Procurador",
                                "312-Inventariante", "313-Liquidante", "315-Interventor", "801-Empresário",
                                "900-Contabilista", "999-Outros"};

struct Modality
{
    QChar letter;
    const char *text;
};
const Modality kModalities[] = {{QLatin1Char('G'), "Modalidade Geral"},
                                {QLatin1Char('P'), "Pequeno Porte"},
                                {QLatin1Char('M'), "Micro Empresa"},
                                {QLatin1Char('0'), "Não Contribuinte"},
                                {QLatin1Char('R'), "Micro Produtor Rural"}};

QString money(double value) { return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')); }

} // namespace

TForEmp::TForEmp(QWidget *parent)
    : RegisterWindow(QStringLiteral("ForEmp"), QStringLiteral("Cadastro de Empresas"), parent),
      companies_(TTabPadroes::instance()->TbEmp), rules_(*TTabPadroes::instance())
{
    TTabPadroes &g = *TTabPadroes::instance();

    auto *head = new QHBoxLayout(headerArea());
    head->setContentsMargins(0, 0, 0, 0);
    head->addWidget(new QLabel(QStringLiteral("Código"), headerArea()));
    QLineEdit *code = addEdit(headerArea(), QStringLiteral("Ed_Codigo"), 3);
    code->setValidator(new QIntValidator(0, 999, code));
    code->setMaximumWidth(60);
    head->addWidget(code);
    head->addWidget(new QLabel(QStringLiteral("Nome"), headerArea()));
    head->addWidget(addEdit(headerArea(), QStringLiteral("Ed_Nome"), 80, true), 1);

    buildFicha();
    buildComplemento();

    const struct
    {
        const char *name, *caption;
        void (TForEmp::*click)();
    } buttons[] = {{"BtEmp1", "&Incluir", &TForEmp::BtEmp1Click},   {"BtEmp2", "&Alterar", &TForEmp::BtEmp2Click},
                   {"BtEmp3", "&Excluir", &TForEmp::BtEmp3Click},   {"BtEmp4", "Sele&cionar", &TForEmp::BtEmp4Click},
                   {"BtEmp5", "&Listar", &TForEmp::BtEmp5Click},    {"BtEmp6", "&Ok", &TForEmp::BtEmp6Click},
                   {"BtEmp7", "Locali&zar", &TForEmp::BtEmp7Click}, {"BtEmp8", "&Sair", &TForEmp::BtEmp8Click}};
    for (const auto &b : buttons) {
        auto click = b.click;
        addButton(QString::fromLatin1(b.name), QString::fromUtf8(b.caption), [this, click] { (this->*click)(); });
    }
    addButtonSpacing();
    setOkButton(button(QStringLiteral("BtEmp6")));
    setExitButton(button(QStringLiteral("BtEmp8")));

    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Codigo")), [this] { return Ed_CodigoExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Matriz")), [this] { return Ed_MatrizExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Central")), [this] { return Ed_CentralExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Nivel")), [this] { return Ed_NivelExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Contabilista")), [this] { return Ed_ContabilistaExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Cgc")), [this] { return Ed_CgcExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_Cpf")), [this] { return Ed_CpfExit(); });
    setLeaveCheck(findChild<QLineEdit *>(QStringLiteral("Ed_CPFRep")), [this] { return Ed_CPFRepExit(); });
    setLeaveCheck(type_, [this] {
        cbTipoEmpresaExit();
        return true;
    });

    ready_ = OpenTableRegister::instance().openWindowTables(
        kWindow, {TTabela{&g.TbCtd, QStringLiteral("TbCtd"), g.tabelasDir()}});
    try {
        companies_.close();
        companies_.open();
        companies_.setIndexFieldNames(QStringLiteral("cod_emp"));
        if (Session::values().CompanyCode > 0)
            companies_.locate(QStringLiteral("cod_emp"), {Session::values().CompanyCode});
    } catch (const DbError &e) {
        Kernix::TrataErro(QStringLiteral("Não foi possível abrir o cadastro de empresas: "), e.message());
        ready_ = false;
    }
    grid()->setTable(&companies_,
                     {QStringLiteral("cod_emp"), QStringLiteral("nom_emp"), QStringLiteral("cid_emp"),
                      QStringLiteral("uf_emp"), QStringLiteral("end_emp"), QStringLiteral("nro_emp"),
                      QStringLiteral("com_emp"), QStringLiteral("bai_emp"), QStringLiteral("cep_emp"),
                      QStringLiteral("fon_emp"), QStringLiteral("fax_emp"), QStringLiteral("cpf_emp"),
                      QStringLiteral("cgc_emp"), QStringLiteral("ine_emp"), QStringLiteral("inm_emp"),
                      QStringLiteral("rep_emp")},
                     {QStringLiteral("Código"), QStringLiteral("Nome"), QStringLiteral("Cidade"), QStringLiteral("UF"),
                      QStringLiteral("Endereço"), QStringLiteral("Número"), QStringLiteral("Complemento"),
                      QStringLiteral("Bairro"), QStringLiteral("CEP"), QStringLiteral("Telefone"),
                      QStringLiteral("FAX"), QStringLiteral("CPF"), QStringLiteral("CNPJ"),
                      QStringLiteral("Insc. Estadual"), QStringLiteral("Insc. Municipal"),
                      QStringLiteral("Representante")});
    grid()->fillIndexMenu(g.Dictionary, QStringLiteral("TBEMP"));
    grid()->setColumnWidth(0, 60);
    grid()->setColumnWidth(1, 260);
    grid()->setColumnWidth(2, 140);
    grid()->setColumnWidth(3, 40);
    grid()->setColumnWidth(4, 200);
    connect(&companies_, &Table::currentChanged, this, [this] {
        if (mode() == Mode::Browse)
            loadRecord();
    });
    showTable();
    setEditing(false);
    setActionButtons(true);
    loadRecord();
    resize(900, 560);
}

TForEmp::~TForEmp()
{
    if (mode() == Mode::Change)
        rules_.releaseClaim(companies_);
    OpenTableRegister::instance().closeWindowTables(kWindow);
}

QLineEdit *TForEmp::addEdit(QWidget *page, const QString &name, int maxLength, bool upper)
{
    auto *e = new QLineEdit(page);
    e->setObjectName(name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    if (upper)
        connect(e, &QLineEdit::textEdited, e, [e](const QString &text) {
            if (text != text.toUpper()) {
                const int at = e->cursorPosition();
                e->setText(text.toUpper());
                e->setCursorPosition(at);
            }
        });
    return e;
}

void TForEmp::buildFicha()
{
    QWidget *page = fichaPage();
    auto *grid = new QGridLayout(page);
    int row = 0;
    const auto add = [&](const QString &label, QWidget *w, int col = 0, int span = 1) {
        grid->addWidget(new QLabel(label, page), row, col * 2);
        grid->addWidget(w, row, col * 2 + 1, 1, span);
    };
    const auto masked = [&](const QString &name, const QString &mask) {
        QLineEdit *e = addEdit(page, name, 0);
        MaskedText::apply(e, mask);
        return e;
    };
    add(QStringLiteral("Endereço"), addEdit(page, QStringLiteral("Ed_End"), 35), 0, 3);
    add(QStringLiteral("Número"), addEdit(page, QStringLiteral("Ed_Num"), 7), 2);
    ++row;
    add(QStringLiteral("Complemento"), addEdit(page, QStringLiteral("Ed_Comp"), 15));
    add(QStringLiteral("Bairro"), addEdit(page, QStringLiteral("Ed_Bairro"), 20), 1);
    add(QStringLiteral("CEP"), masked(QStringLiteral("Ed_Cep"), MaskedText::cep()), 2);
    ++row;
    add(QStringLiteral("Cidade"), addEdit(page, QStringLiteral("Ed_Cidade"), 30, true), 0, 3);
    add(QStringLiteral("UF"), addEdit(page, QStringLiteral("Ed_Uf"), 2, true), 2);
    ++row;
    add(QStringLiteral("Telefone"), addEdit(page, QStringLiteral("Ed_Fone"), 12));
    add(QStringLiteral("FAX"), addEdit(page, QStringLiteral("Ed_Fax"), 12), 1);
    ++row;
    add(QStringLiteral("CNPJ"), masked(QStringLiteral("Ed_Cgc"), MaskedText::cnpj()));
    add(QStringLiteral("CPF"), masked(QStringLiteral("Ed_Cpf"), MaskedText::cpf()), 1);
    ++row;
    add(QStringLiteral("Insc. Estadual"), addEdit(page, QStringLiteral("Ed_Insc"), 18));
    add(QStringLiteral("Insc. Municipal"), addEdit(page, QStringLiteral("Ed_InsM"), 18), 1);
    add(QStringLiteral("CEI"), addEdit(page, QStringLiteral("Ed_Cei"), 15), 2);
    ++row;
    add(QStringLiteral("CAE"), addEdit(page, QStringLiteral("Ed_Cae"), 9));
    add(QStringLiteral("Registro na Junta"), addEdit(page, QStringLiteral("Ed_Reg"), 15), 1);
    add(QStringLiteral("Data do registro"), masked(QStringLiteral("Ed_DataJunta"), MaskedText::date()), 2);
    ++row;
    add(QStringLiteral("Representante"), addEdit(page, QStringLiteral("Ed_Rep"), 30, true));
    add(QStringLiteral("CPF do representante"), masked(QStringLiteral("Ed_CPFRep"), MaskedText::cpf()), 1);
    add(QStringLiteral("Cargo"), addEdit(page, QStringLiteral("Ed_Cargo"), 25), 2);
    ++row;
    signer_ = new QComboBox(page);
    signer_->setObjectName(QStringLiteral("CbAssinRepres"));
    for (const char *s : kSigners)
        signer_->addItem(QString::fromUtf8(s));
    add(QStringLiteral("Qualificação do assinante"), signer_, 0, 3);
    ++row;
    add(QStringLiteral("Site"), addEdit(page, QStringLiteral("Ed_Site"), 40));
    add(QStringLiteral("E-mail"), addEdit(page, QStringLiteral("Ed_Mail"), 40), 1, 3);
    ++row;
    add(QStringLiteral("Contabilista"), addEdit(page, QStringLiteral("Ed_Contabilista"), 40));
    add(QStringLiteral("Nível mínimo para acesso"), addEdit(page, QStringLiteral("Ed_Nivel"), 3), 1);
    ++row;
    add(QStringLiteral("Matriz"), addEdit(page, QStringLiteral("Ed_Matriz"), 50, true));
    add(QStringLiteral("Empresa central"), addEdit(page, QStringLiteral("Ed_Central"), 50, true), 1, 3);
    ++row;
    grid->setRowStretch(row, 1);
}

void TForEmp::buildComplemento()
{
    complementoPage_ = new QWidget;
    pages()->addTab(complementoPage_, QStringLiteral("Complemento"));
    auto *form = new QGridLayout(complementoPage_);
    int row = 0;
    const auto add = [&](const QString &label, QWidget *w, int col = 0) {
        form->addWidget(new QLabel(label, complementoPage_), row, col * 2);
        form->addWidget(w, row, col * 2 + 1);
    };
    type_ = new QComboBox(complementoPage_);
    type_->setObjectName(QStringLiteral("cbTipoEmpresa"));
    for (const Modality &m : kModalities)
        type_->addItem(QString::fromUtf8(m.text), QString(m.letter));
    add(QStringLiteral("Modalidade"), type_);
    add(QStringLiteral("Alíquota de ICMS"), addEdit(complementoPage_, QStringLiteral("Ed_AliqICMS"), 8), 1);
    ++row;
    issqn_ = new QComboBox(complementoPage_);
    issqn_->setObjectName(QStringLiteral("Cb_ISSQN"));
    issqn_->addItems({QStringLiteral("Contribuinte"), QStringLiteral("Não contribuinte")});
    add(QStringLiteral("ISSQN"), issqn_);
    add(QStringLiteral("Alíquota de ISSQN"), addEdit(complementoPage_, QStringLiteral("Ed_AliqISSQN"), 4), 1);
    ++row;
    ipi_ = new QComboBox(complementoPage_);
    ipi_->setObjectName(QStringLiteral("Cb_IPI"));
    ipi_->addItems({QStringLiteral("Contribuinte"), QStringLiteral("Não contribuinte")});
    add(QStringLiteral("IPI"), ipi_);
    QLineEdit *start = addEdit(complementoPage_, QStringLiteral("Ed_IniAtividade"), 0);
    MaskedText::apply(start, MaskedText::date());
    add(QStringLiteral("Início das atividades"), start, 1);
    ++row;
    codCli_ = new QCheckBox(QStringLiteral("Gerar o código automaticamente"), complementoPage_);
    codCli_->setObjectName(QStringLiteral("Cb_CodCli"));
    form->addWidget(codCli_, row, 0, 1, 4);
    ++row;
    form->addWidget(new QLabel(QStringLiteral("Observações"), complementoPage_), row, 0);
    obs_ = new QPlainTextEdit(complementoPage_);
    obs_->setObjectName(QStringLiteral("Ed_Obs"));
    form->addWidget(obs_, row, 1, 1, 3);
    ++row;
    logoView_ = new QLabel(complementoPage_);
    logoView_->setObjectName(QStringLiteral("Im_Logo"));
    logoView_->setFixedSize(160, 80);
    logoView_->setFrameShape(QFrame::StyledPanel);
    logoView_->setAlignment(Qt::AlignCenter);
    form->addWidget(logoView_, row, 1);
    auto *addLogo = new QPushButton(QStringLiteral("Adicionar logotipo"), complementoPage_);
    addLogo->setObjectName(QStringLiteral("Bt_AddLogo"));
    auto *removeLogo = new QPushButton(QStringLiteral("Remover logotipo"), complementoPage_);
    removeLogo->setObjectName(QStringLiteral("Bt_RemLogo"));
    form->addWidget(addLogo, row, 2);
    form->addWidget(removeLogo, row, 3);
    form->setRowStretch(row + 1, 1);
    connect(addLogo, &QPushButton::clicked, this, [this] {
        const QString file = FileDialogs::openFileName(this, QStringLiteral("Logotipo"), Session::values().ProgramDir,
                                                       QStringLiteral("Bitmaps (*.bmp)"));
        QPixmap picture;
        if (file.isEmpty() || !picture.load(file))
            return;
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            logoBytes_ = f.readAll();
        logoView_->setPixmap(picture.scaled(logoView_->size(), Qt::KeepAspectRatio));
    });
    connect(removeLogo, &QPushButton::clicked, this, [this] {
        logoBytes_.clear();
        logoView_->clear();
    });
    connect(type_, &QComboBox::currentIndexChanged, this, [this] { applyTypeRules(); });
    connect(issqn_, &QComboBox::currentIndexChanged, this, [this] { applyTypeRules(); });
}

void TForEmp::applyTypeRules()
{
    const bool editing = mode() == Mode::Insert || mode() == Mode::Change;
    auto *icms = findChild<QLineEdit *>(QStringLiteral("Ed_AliqICMS"));
    auto *iss = findChild<QLineEdit *>(QStringLiteral("Ed_AliqISSQN"));
    const bool taxpayer = type_->currentData().toString() != QStringLiteral("0");
    icms->setEnabled(editing && taxpayer);
    if (!taxpayer && editing)
        icms->setText(QStringLiteral("0"));
    const bool issqnTaxpayer = issqn_->currentIndex() == 0;
    iss->setEnabled(editing && issqnTaxpayer);
    if (!issqnTaxpayer && editing)
        iss->setText(QStringLiteral("0"));
}

void TForEmp::cbTipoEmpresaExit()
{
    if (mode() == Mode::Insert && type_->currentData().toString() == QStringLiteral("0")) {
        ipi_->setCurrentIndex(1);
        issqn_->setCurrentIndex(0);
    }
}

QString TForEmp::box(const QString &name) const
{
    if (auto *e = findChild<QLineEdit *>(name))
        return e->text();
    if (auto *c = findChild<QComboBox *>(name))
        return c->currentText();
    return {};
}

void TForEmp::setBox(const QString &name, const QString &text)
{
    if (auto *e = findChild<QLineEdit *>(name))
        e->setText(text);
    else if (auto *c = findChild<QComboBox *>(name))
        c->setCurrentIndex(c->findText(text));
}

void TForEmp::focusBox(const QString &name)
{
    if (auto *w = findChild<QWidget *>(name))
        w->setFocus();
}

void TForEmp::setEditing(bool on)
{
    for (QWidget *page : {fichaPage(), complementoPage_})
        for (QWidget *w : page->findChildren<QWidget *>())
            if (!qobject_cast<QLabel *>(w))
                w->setEnabled(on);
    findChild<QLineEdit *>(QStringLiteral("Ed_Nome"))->setEnabled(on);
    findChild<QLineEdit *>(QStringLiteral("Ed_Codigo"))->setEnabled(on && mode() == Mode::Insert);
    if (on)
        applyTypeRules();
}

void TForEmp::setActionButtons(bool browse)
{
    for (const char *name : {"BtEmp1", "BtEmp2", "BtEmp3", "BtEmp4", "BtEmp5", "BtEmp7"})
        button(QString::fromLatin1(name))->setEnabled(browse);
    button(QStringLiteral("BtEmp6"))->setEnabled(!browse);
}

void TForEmp::clearBoxes()
{
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (e->objectName().startsWith(QStringLiteral("Ed_")))
            e->clear();
    obs_->clear();
    signer_->setCurrentIndex(0);
    type_->setCurrentIndex(0);
    issqn_->setCurrentIndex(0);
    ipi_->setCurrentIndex(0);
    codCli_->setChecked(false);
    logoBytes_.clear();
    logoView_->clear();
    stored_ = CompanyOptions::forNewCompany();
    changingCode_ = 0;
}

CompanyForm TForEmp::readForm() const
{
    CompanyForm f;
    const auto masked = [this](const char *name, const QString &mask) {
        return MaskedText::stored(findChild<QLineEdit *>(QString::fromLatin1(name))->text(), mask);
    };
    const auto text = [this](const char *name) { return findChild<QLineEdit *>(QString::fromLatin1(name))->text(); };
    f.code = text("Ed_Codigo");
    f.name = text("Ed_Nome");
    f.street = text("Ed_End");
    f.number = text("Ed_Num");
    f.complement = text("Ed_Comp");
    f.district = text("Ed_Bairro");
    f.postalCode = masked("Ed_Cep", MaskedText::cep());
    f.city = text("Ed_Cidade");
    f.state = text("Ed_Uf");
    f.phone = text("Ed_Fone");
    f.fax = text("Ed_Fax");
    f.cnpj = masked("Ed_Cgc", MaskedText::cnpj());
    f.cpf = masked("Ed_Cpf", MaskedText::cpf());
    f.stateRegistration = text("Ed_Insc");
    f.cityRegistration = text("Ed_InsM");
    f.cei = text("Ed_Cei");
    f.cae = text("Ed_Cae");
    f.registry = text("Ed_Reg");
    f.registryDate = masked("Ed_DataJunta", MaskedText::date());
    f.representative = text("Ed_Rep");
    f.representativeCpf = masked("Ed_CPFRep", MaskedText::cpf());
    f.position = text("Ed_Cargo");
    f.signer = signer_->currentIndex();
    f.site = text("Ed_Site");
    f.email = text("Ed_Mail");
    f.accountant = findChild<QLineEdit *>(QStringLiteral("Ed_Contabilista"))->property("code").toInt();
    f.observations = obs_->toPlainText();
    f.logo = logoBytes_;
    f.headOffice = findChild<QLineEdit *>(QStringLiteral("Ed_Matriz"))->property("code").toInt();
    f.central = findChild<QLineEdit *>(QStringLiteral("Ed_Central"))->property("code").toInt();
    f.level = text("Ed_Nivel").trimmed().toInt();
    f.modality = type_->currentData().toString().at(0);
    f.icms = text("Ed_AliqICMS");
    f.issqnRate = text("Ed_AliqISSQN");
    f.startDate = masked("Ed_IniAtividade", MaskedText::date());
    f.issqnTaxpayer = issqn_->currentIndex() == 0;
    f.ipiTaxpayer = ipi_->currentIndex() == 0;
    f.generateClientCodes = codCli_->isChecked();
    return f;
}

void TForEmp::loadRecord()
{
    // The look-ups of the names move the cursor and would call back here.
    if (loading_)
        return;
    const QScopedValueRollback<bool> loading(loading_, true);
    if (!companies_.isOpen() || companies_.isEmpty()) {
        clearBoxes();
        return;
    }
    const Table &t = companies_;
    const auto put = [this, &t](const char *box, const char *field) {
        findChild<QLineEdit *>(QString::fromLatin1(box))->setText(t.asString(QString::fromLatin1(field)).trimmed());
    };
    put("Ed_Codigo", "cod_emp");
    findChild<QLineEdit *>(QStringLiteral("Ed_Codigo"))->setText(t.displayText(QStringLiteral("cod_emp")));
    put("Ed_Nome", "nom_emp");
    put("Ed_End", "end_emp");
    put("Ed_Num", "nro_emp");
    put("Ed_Comp", "com_emp");
    put("Ed_Bairro", "bai_emp");
    put("Ed_Cep", "cep_emp");
    put("Ed_Cidade", "cid_emp");
    put("Ed_Uf", "uf_emp");
    put("Ed_Fone", "fon_emp");
    put("Ed_Fax", "fax_emp");
    put("Ed_Cgc", "cgc_emp");
    put("Ed_Cpf", "cpf_emp");
    put("Ed_Insc", "ine_emp");
    put("Ed_InsM", "inm_emp");
    put("Ed_Cei", "cei_emp");
    put("Ed_Cae", "cae_emp");
    put("Ed_Reg", "rjc_emp");
    findChild<QLineEdit *>(QStringLiteral("Ed_DataJunta"))
        ->setText(t.asDate(QStringLiteral("djc_emp")).toString(QStringLiteral("dd/MM/yyyy")));
    put("Ed_Rep", "rep_emp");
    put("Ed_CPFRep", "cre_emp");
    put("Ed_Cargo", "car_emp");
    signer_->setCurrentIndex(qBound(0, int(t.asInt(QStringLiteral("tqa_emp"))), signer_->count() - 1));
    put("Ed_Site", "sit_emp");
    put("Ed_Mail", "ema_emp");
    const int ctd = int(t.asInt(QStringLiteral("ctd_emp")));
    auto *ctdBox = findChild<QLineEdit *>(QStringLiteral("Ed_Contabilista"));
    ctdBox->setProperty("code", ctd);
    ctdBox->setText(rules_.accountantName(ctd));
    obs_->setPlainText(t.asString(QStringLiteral("obs_emp")));
    logoBytes_ = t.value(QStringLiteral("imag_emp")).toByteArray();
    QPixmap picture;
    if (!logoBytes_.isEmpty() && picture.loadFromData(logoBytes_))
        logoView_->setPixmap(picture.scaled(logoView_->size(), Qt::KeepAspectRatio));
    else
        logoView_->clear();
    const int mat = int(t.asInt(QStringLiteral("mat_emp")));
    const int cen = int(t.asInt(QStringLiteral("cen_emp")));
    const QString tip = t.asString(QStringLiteral("tip_emp"));
    const int level = int(t.asInt(QStringLiteral("niv_emp")));
    const double icms = t.asDouble(QStringLiteral("icm_emp"));
    const double iss = t.asDouble(QStringLiteral("iss_emp"));
    const QDate start = t.asDate(QStringLiteral("iat_emp"));
    stored_ = CompanyOptions(t.asString(QStringLiteral("cfg_emp")), t.asString(QStringLiteral("lfc_emp")));
    // The names below come from look-ups that move cursors: the record's own
    // values were read first.
    auto *matBox = findChild<QLineEdit *>(QStringLiteral("Ed_Matriz"));
    matBox->setProperty("code", mat);
    matBox->setText(rules_.companyName(mat));
    auto *cenBox = findChild<QLineEdit *>(QStringLiteral("Ed_Central"));
    cenBox->setProperty("code", cen);
    cenBox->setText(rules_.companyName(cen));
    findChild<QLineEdit *>(QStringLiteral("Ed_Nivel"))->setText(level ? QString::number(level) : QString());
    int typeIndex = 0;
    for (int i = 0; i < type_->count(); ++i)
        if (!tip.isEmpty() && type_->itemData(i).toString() == tip.left(1))
            typeIndex = i;
    type_->setCurrentIndex(typeIndex);
    issqn_->setCurrentIndex(stored_.cfgFlag(CompanyOptions::Issqn) ? 0 : 1);
    ipi_->setCurrentIndex(stored_.cfgFlag(CompanyOptions::Ipi) ? 0 : 1);
    codCli_->setChecked(stored_.cfgFlag(CompanyOptions::CodCli));
    findChild<QLineEdit *>(QStringLiteral("Ed_AliqICMS"))->setText(money(icms));
    findChild<QLineEdit *>(QStringLiteral("Ed_AliqISSQN"))->setText(money(iss));
    findChild<QLineEdit *>(QStringLiteral("Ed_IniAtividade"))->setText(start.toString(QStringLiteral("dd/MM/yyyy")));
}

bool TForEmp::Ed_CodigoExit()
{
    if (mode() != Mode::Insert)
        return true;
    return rules_.checkNewCode(box(QStringLiteral("Ed_Codigo")));
}

namespace {

int selfCode(const QString &codeBox, int changing) { return changing ? changing : codeBox.trimmed().toInt(); }

} // namespace

bool TForEmp::Ed_MatrizExit()
{
    auto *e = findChild<QLineEdit *>(QStringLiteral("Ed_Matriz"));
    if (e->text().trimmed().isEmpty()) {
        e->setProperty("code", 0);
        return true;
    }
    const CompanyRules::Found found = rules_.headOffice(e->text(), selfCode(box(QStringLiteral("Ed_Codigo")), changingCode_));
    if (found.code == 0)
        return false;
    e->setProperty("code", found.code);
    e->setText(found.name);
    return true;
}

bool TForEmp::Ed_CentralExit()
{
    auto *e = findChild<QLineEdit *>(QStringLiteral("Ed_Central"));
    if (e->text().trimmed().isEmpty()) {
        e->setProperty("code", 0);
        return true;
    }
    const CompanyRules::Found found = rules_.central(e->text(), selfCode(box(QStringLiteral("Ed_Codigo")), changingCode_));
    if (found.code == 0)
        return false;
    e->setProperty("code", found.code);
    e->setText(found.name);
    return true;
}

bool TForEmp::Ed_NivelExit() { return rules_.levelExists(box(QStringLiteral("Ed_Nivel"))); }

bool TForEmp::Ed_ContabilistaExit()
{
    auto *e = findChild<QLineEdit *>(QStringLiteral("Ed_Contabilista"));
    if (e->text().trimmed().isEmpty()) {
        e->setProperty("code", 0);
        return true;
    }
    const CompanyRules::Found found = rules_.accountant(e->text());
    if (found.code == 0)
        return false;
    e->setProperty("code", found.code);
    e->setText(found.name);
    return true;
}

bool TForEmp::Ed_CgcExit()
{
    const QString value = MaskedText::stored(box(QStringLiteral("Ed_Cgc")), MaskedText::cnpj());
    if (value.isEmpty() || TTabPadroes::instance()->CheckCGC.Valida(value))
        return true;
    Messages::plain(QStringLiteral("C.N.P.J. inválido!"));
    return false;
}

bool TForEmp::Ed_CpfExit()
{
    const QString value = MaskedText::stored(box(QStringLiteral("Ed_Cpf")), MaskedText::cpf());
    if (value.isEmpty() || TTabPadroes::instance()->CheckCPF.Valida(value))
        return true;
    Messages::plain(QStringLiteral("C.P.F. inválido!"));
    return false;
}

bool TForEmp::Ed_CPFRepExit()
{
    const QString value = MaskedText::stored(box(QStringLiteral("Ed_CPFRep")), MaskedText::cpf());
    if (value.isEmpty() || TTabPadroes::instance()->CheckCPF.Valida(value))
        return true;
    Messages::plain(QStringLiteral("C.P.F. inválido!"));
    return false;
}

bool TForEmp::canLeaveFicha()
{
    const CompanyForm f = readForm();
    const CompanyRules::Refusal refusal = rules_.validate(f, mode() == Mode::Insert);
    if (!refusal)
        return true;
    if (refusal.page == QStringLiteral("Ficha"))
        focusBox(refusal.box);
    return refusal.page != QStringLiteral("Ficha") && refusal.page != QString();
}

void TForEmp::BtEmp1Click()
{
    if (mode() == Mode::Insert || !ModuleRights::moduleRight(1, kModule))
        return;
    setMode(Mode::Insert);
    clearBoxes();
    setEditing(true);
    showFicha();
    setActionButtons(false);
    focusBox(QStringLiteral("Ed_Codigo"));
}

void TForEmp::BtEmp2Click()
{
    if (mode() != Mode::Browse || !ModuleRights::moduleRight(2, kModule))
        return;
    companies_.refresh();
    if (companies_.isEmpty()) {
        Messages::plain(QStringLiteral("Não há empresas para alterar!"));
        return;
    }
    const int code = int(companies_.asInt(QStringLiteral("cod_emp")));
    if (!companies_.locate(QStringLiteral("cod_emp"), {code})) {
        Messages::plain(QStringLiteral("Registro não encontrado!"));
        return;
    }
    if (rules_.inUseByOtherOperator(code)) {
        Messages::plain(QStringLiteral("Impossível alterar empresa que está em uso por outro operador!"));
        backToBrowse();
        return;
    }
    if (!rules_.claim(companies_))
        return;
    loadRecord();
    setMode(Mode::Change);
    changingCode_ = code;
    setEditing(true);
    const int central = int(companies_.asInt(QStringLiteral("cen_emp")));
    findChild<QLineEdit *>(QStringLiteral("Ed_Central"))->setEnabled(central == 0);
    bool namedAsHeadOffice = false;
    {
        const qint64 here = companies_.bookmark();
        for (companies_.first(); !companies_.eof() && !namedAsHeadOffice; companies_.next())
            namedAsHeadOffice = companies_.asInt(QStringLiteral("mat_emp")) == code;
        companies_.gotoBookmark(here);
    }
    findChild<QLineEdit *>(QStringLiteral("Ed_Matriz"))->setEnabled(!namedAsHeadOffice);
    showFicha();
    setActionButtons(false);
    focusBox(QStringLiteral("Ed_Nome"));
}

void TForEmp::BtEmp3Click()
{
    if (mode() == Mode::Delete || !ModuleRights::moduleRight(3, kModule))
        return;
    if (companies_.isEmpty()) {
        companies_.refresh();
    }
    const int code = companies_.isEmpty() ? 0 : int(companies_.asInt(QStringLiteral("cod_emp")));
    if (!rules_.mayDelete(code))
        return;
    setMode(Mode::Delete);
    loadRecord();
    showFicha();
    if (RecordLocking::editConflict(companies_, RecordLocking::ConflictMode::Delete)
            != RecordLocking::Conflict::Proceed
        || Messages::confirm(QStringLiteral("Deseja realmente excluir a empresa?")) != MsgAnswer::Yes) {
        rules_.releaseClaim(companies_);
        backToBrowse();
        return;
    }
    rules_.remove(code);
    backToBrowse();
}

void TForEmp::BtEmp4Click()
{
    if (mode() != Mode::Browse || companies_.isEmpty())
        return;
    WorkingCompany::RegisterSteps steps;
    steps.setWindowEnabled = [this](bool on) { setEnabled(on); };
    if (WorkingCompany::SelectFromRegister([this] { closeOtherChildren(); }, steps))
        MdiChild::close(this);
}

void TForEmp::BtEmp5Click()
{
    if (mode() != Mode::Browse)
        return;
    QMdiArea *area = nullptr;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        area = frame->mdiArea();
    Listings::fListagem_Emp(companies_, area);
}

void TForEmp::BtEmp6Click()
{
    if (mode() != Mode::Insert && mode() != Mode::Change)
        return;
    const CompanyForm form = readForm();
    const CompanyRules::Refusal refusal = rules_.validate(form, mode() == Mode::Insert);
    if (refusal) {
        pages()->setCurrentWidget(refusal.page == QStringLiteral("Complemento") ? complementoPage_ : fichaPage());
        focusBox(refusal.box);
        return;
    }
    if (mode() == Mode::Insert) {
        if (!rules_.insert(form, stored_))
            return;
        companies_.setIndexFieldNames(QStringLiteral("nom_emp"));
        clearBoxes();
        setEditing(true);
        showFicha();
        focusBox(QStringLiteral("Ed_Codigo"));
        return;
    }
    const CompanyOptions before = stored_;
    const int oldCentral = int(companies_.asInt(QStringLiteral("cen_emp")));
    const QString oldType = companies_.asString(QStringLiteral("tip_emp"));
    switch (rules_.change(form, changingCode_, stored_)) {
    case CompanyRules::ChangeResult::Reloaded:
        companies_.refresh();
        if (companies_.isEmpty()) {
            Messages::plain(QStringLiteral("Não há empresas para alterar!"));
            backToBrowse();
        } else {
            loadRecord();
        }
        return;
    case CompanyRules::ChangeResult::Cancelled:
        backToBrowse();
        return;
    case CompanyRules::ChangeResult::Written:
        break;
    }
    const int code = changingCode_;
    changingCode_ = 0;
    setMode(Mode::Browse);
    if (code == Session::values().CompanyCode)
        afterWorkingCompanyChange(before, oldType, oldCentral, form);
    backToBrowse();
}

void TForEmp::afterWorkingCompanyChange(const CompanyOptions &before, const QString &oldType, int oldCentral,
                                        const CompanyForm &form)
{
    companies_.refresh();
    companies_.locate(QStringLiteral("cod_emp"), {Session::values().CompanyCode});
    const CompanyOptions after(companies_.asString(QStringLiteral("cfg_emp")), companies_.asString(QStringLiteral("lfc_emp")));
    const auto differs = [&](bool cfg, int pos) {
        return cfg ? before.cfg().at(pos - 1) != after.cfg().at(pos - 1) : before.lfc().at(pos - 1) != after.lfc().at(pos - 1);
    };
    const bool reload = oldType != companies_.asString(QStringLiteral("tip_emp")) || oldCentral != form.central
        || differs(true, 5) || differs(true, 6) || differs(true, 12) || differs(true, 29) || differs(false, 6)
        || differs(false, 8);
    closeOtherChildren();
    if (!reload)
        return;
    SessionValues &s = Session::values();
    const int code = s.CompanyCode;
    s.CentralCode = form.central ? form.central : code;
    s.CentralDir = WorkingCompany::companyDir(s.CentralCode);
    setEnabled(false);
    {
        WaitCursor cursor;
        OpenTableRegister::renew();
        TTabEmpresa::replace(nullptr);
        auto *module = new TTabEmpresa;
        TTabEmpresa::replace(module);
        module->create(code, form.central);
        OpenTableRegister::renew();
        TTabPadroes &g = *TTabPadroes::instance();
        OpenTableRegister::instance().openWindowTables(kWindow, {TTabela{&g.TbCtd, QStringLiteral("TbCtd"), g.tabelasDir()}});
    }
    setEnabled(true);
    emit SessionEvents::instance().companyModuleCreated();
}

void TForEmp::closeOtherChildren()
{
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || !frame->mdiArea())
        return;
    for (QMdiSubWindow *other : frame->mdiArea()->subWindowList())
        if (other != frame)
            other->close();
}

void TForEmp::BtEmp7Click() { locateInGrid(); }

void TForEmp::backToBrowse()
{
    const bool changing = mode() == Mode::Change;
    const int code = changingCode_;
    setMode(Mode::Browse);
    changingCode_ = 0;
    setEditing(false);
    setActionButtons(true);
    companies_.refresh();
    if (changing && companies_.locate(QStringLiteral("cod_emp"), {code}))
        rules_.releaseClaim(companies_);
    loadRecord();
    showTable();
}

void TForEmp::BtEmp8Click()
{
    if (mode() == Mode::Browse) {
        MdiChild::close(this);
        return;
    }
    backToBrowse();
}
