#include "app/UniPri.h"

#include "app/AppLifetime.h"
#include "app/Background.h"
#include "framework/Theme.h"
#include "app/UniDesligar.h"
#include "framework/Messages.h"
#include "framework/ModuleRights.h"
#include "framework/Session.h"
#include "framework/SessionEvents.h"
#include "framework/SoundPlayer.h"
#include "framework/SystemPower.h"
#include "framework/UniTabPadroes.h"
#include "framework/WorkingCompany.h"
#include "storage/DbError.h"
#include "utilities/UniFrase.h"
#include "utilities/Unisob.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

TForPri *g_main = nullptr;
bool g_personalSetup = true;

const char *const kNoCompany = "Nenhuma empresa selecionada";

struct ButtonDef
{
    const char *name;
    const char *hint;
    const char *entry; // the menu entry it acts as
    int tag;
};

const ButtonDef kButtons[] = {
    {"bForCli", "Clientes", "CadMen", 0},
    {"bForEtq", "Etiquetas", "EtqMen", 0},
    {"bForCep", "Pesquisa de CEPs", "bForCep", 0},
    {"Separador1", "", "", 0},
    {"bForEmp", "Empresas", "EmpArq", 1},
    {"bForCalc", "Calculadora", "CalcArq", 2},
    {"bForPer", "Período", "Cld_Arq", 0},
    {"bForBac", "Backup", "BacArq", 0},
    {"bForOpr", "Operadores", "OprArq", 0},
};

} // namespace

TForPri::TForPri() : previousProgress_(Seam<ProgressTarget>::install(this))
{
    g_main = this;
    g_personalSetup = true;
    setObjectName(QStringLiteral("ForPri"));
    setWindowTitle(QCoreApplication::applicationName());

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("ClientArea"));
    mdi_->viewport()->installEventFilter(this);
    setCentralWidget(mdi_);

    auto *bar = statusBar();
    bar->setObjectName(QStringLiteral("Barra"));
    const int screenWidth = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().width() : 800;
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setContentsMargins(4, 0, 4, 0);
    }
    panels_[0]->setText(QString::fromUtf8(kNoCompany));
    panels_[0]->setFixedWidth(screenWidth * 30 / 100);
    panels_[1]->setFixedWidth(screenWidth * 50 / 100);
    panels_[1]->setAlignment(Qt::AlignCenter);
    bar->addWidget(panels_[0]);
    bar->addWidget(panels_[1]);
    bar->addWidget(panels_[2], 1);

    buildMenu();
    buildToolBar();

    connect(&SessionEvents::instance(), &SessionEvents::companyChanged, this, [this](const QString &text) {
        panels_[0]->setText(text.isEmpty() ? QString::fromUtf8(kNoCompany) : text);
    });
    connect(&SessionEvents::instance(), &SessionEvents::companyModuleCreated, this, &TForPri::updateCompanyCommands);
    attachHooks();
    updateCompanyCommands();
}

TForPri::~TForPri()
{
    // Child windows put back the filter they found when they go, which may
    // be this window's own: they go first, and no filter outlives the window.
    qDeleteAll(mdi_->subWindowList());
    detachHooks();
    KeyHook::restore(nullptr);
    KeyHook::remove();
    Seam<ProgressTarget>::install(previousProgress_);
    if (g_main == this)
        g_main = nullptr;
}

TForPri *TForPri::instance() { return g_main; }

void TForPri::setPersonalSetupPending(bool pending) { g_personalSetup = pending; }

QAction *TForPri::addEntry(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key, const Entry &entry)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty())
        a->setShortcut(key);
    if (menu)
        menu->addAction(a);
    else
        menuBar()->addAction(a);
    actions_.insert(name, a);
    entries_.insert(name, entry);
    connect(a, &QAction::triggered, this, [this, name] { openEntry(name); });
    return a;
}

void TForPri::buildMenu()
{
    const auto window = [](const char *module, bool company = false) {
        return Entry{QString::fromLatin1(module), true, company, 0};
    };
    addEntry(nullptr, QStringLiteral("CadMen"), QStringLiteral("&Clientes"), {}, window("CAD_CLI", true));
    addEntry(nullptr, QStringLiteral("EtqMen"), QStringLiteral("&Etiquetas"), {}, window("CAD_ETQ", true));

    QMenu *arq = menuBar()->addMenu(QStringLiteral("&Arquivos"));
    arq->setObjectName(QStringLiteral("ArqMen"));
    arq->menuAction()->setObjectName(QStringLiteral("ArqMen"));
    actions_.insert(QStringLiteral("ArqMen"), arq->menuAction());
    entries_.insert(QStringLiteral("ArqMen"), Entry{{}, false, false, 1});

    addEntry(arq, QStringLiteral("EmpArq"), QStringLiteral("&Empresas"), Qt::Key_F2, window("CAD_EMP"));
    addEntry(arq, QStringLiteral("BacArq"), QStringLiteral("Back&up"), Qt::Key_F3, window("", true));
    addEntry(arq, QStringLiteral("CalcArq"), QStringLiteral("&Calculadora"), Qt::Key_F4, Entry{});
    addEntry(arq, QStringLiteral("Cld_Arq"), QStringLiteral("Ca&lendário"), Qt::Key_F9, window(""));
    addEntry(arq, QStringLiteral("OprArq"), QStringLiteral("&Operadores"), Qt::Key_F10, window(""));
    addEntry(arq, QStringLiteral("NivArq"), QStringLiteral("&Níveis de Senhas"), {}, window(""));

    QMenu *con = arq->addMenu(QStringLiteral("Con&figurações"));
    con->menuAction()->setObjectName(QStringLiteral("ConArq"));
    actions_.insert(QStringLiteral("ConArq"), con->menuAction());
    addEntry(con, QStringLiteral("ImpArq"), QStringLiteral("&Impressora"), {}, window("CAD_IMP"));
    addEntry(con, QStringLiteral("PerArq"), QStringLiteral("&Aparência"), Qt::Key_F11, window(""));
    addEntry(con, QStringLiteral("TitArq"), QStringLiteral("Títulos de Campos"), {}, window("CAD_TIT", true));
    QAction *phrase = new QAction(QStringLiteral("Frase do Dia"), this);
    phrase->setObjectName(QStringLiteral("Fra_Arq"));
    phrase->setCheckable(true);
    con->addAction(phrase);
    actions_.insert(QStringLiteral("Fra_Arq"), phrase);
    connect(phrase, &QAction::triggered, this, &TForPri::togglePhrase);
    QAction *bar = new QAction(QStringLiteral("Barra de Botões"), this);
    bar->setObjectName(QStringLiteral("Bot_Arq"));
    bar->setCheckable(true);
    con->addAction(bar);
    actions_.insert(QStringLiteral("Bot_Arq"), bar);
    connect(bar, &QAction::triggered, this, &TForPri::toggleToolBar);
    addEntry(con, QStringLiteral("Trv_con"), QStringLiteral("T&ravamento"), {}, Entry{});

    QMenu *jan = arq->addMenu(QStringLiteral("&Janelas"));
    jan->menuAction()->setObjectName(QStringLiteral("JanArq"));
    actions_.insert(QStringLiteral("JanArq"), jan->menuAction());
    const auto windowCommand = [&](const char *name, const char *caption, const QKeySequence &key, auto slot) {
        QAction *a = jan->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        actions_.insert(a->objectName(), a);
        connect(a, &QAction::triggered, this, slot);
    };
    windowCommand("JanArr", "&Arranjar", {}, [this] { arrangeIcons(); });
    windowCommand("JanCas", "&Cascata", Qt::Key_F5, [this] { mdi_->cascadeSubWindows(); });
    windowCommand("JanMin", "&Minimizar", Qt::Key_F6, [this] {
        for (QMdiSubWindow *w : mdi_->subWindowList())
            w->showMinimized();
    });
    windowCommand("JanOrd", "&Ordenar", Qt::Key_F7, [this] { mdi_->tileSubWindows(); });
    windowCommand("JanFec", "&Fechar", Qt::Key_F8, [this] { closeAllChildren(); });

    QMenu *exp = arq->addMenu(QStringLiteral("Ser&viços"));
    exp->menuAction()->setObjectName(QStringLiteral("ExpArq"));
    actions_.insert(QStringLiteral("ExpArq"), exp->menuAction());
    addEntry(exp, QStringLiteral("ExpOut"), QStringLiteral("&Exportação de Dados Formato CSV"), {}, window("EXP_OUT"));

    addEntry(arq, QStringLiteral("Sobre1"), QStringLiteral("So&bre"), {}, Entry{});
    addEntry(arq, QStringLiteral("Sair1"), QStringLiteral("&Sair"), Qt::Key_F12, Entry{});
}

QIcon TForPri::builtInImage(int index) const
{
    static const char *const labels[] = {"Cli", "Etq", "CEP", "Emp", "Calc", "Per", "Bkp", "Opr"};
    static const QColor colours[] = {QColor(0, 90, 170), QColor(200, 120, 0), QColor(0, 140, 90), QColor(120, 60, 150),
                                     QColor(90, 90, 90), QColor(180, 30, 40), QColor(20, 110, 130), QColor(60, 100, 30)};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colours[index % 8]);
    p.setPen(colours[index % 8].darker(140));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    QFont f = font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromLatin1(labels[index % 8]));
    return QIcon(pixmap);
}

void TForPri::buildToolBar()
{
    BarraBotoes = new QToolBar(this);
    BarraBotoes->setObjectName(QStringLiteral("BarraBotoes"));
    BarraBotoes->setToolTip(QStringLiteral("Barra de Botões"));
    BarraBotoes->setIconSize(QSize(32, 32));
    BarraBotoes->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(BarraBotoes, &QWidget::customContextMenuRequested, this, &TForPri::toolBarMenu);
    addToolBar(Qt::TopToolBarArea, BarraBotoes);
    int image = 0;
    for (const ButtonDef &def : kButtons) {
        const QString name = QString::fromLatin1(def.name);
        if (name.startsWith(QLatin1String("Separador"))) {
            auto *gap = new QWidget(BarraBotoes);
            gap->setObjectName(name);
            gap->setFixedSize(5, 5);
            BarraBotoes->addWidget(gap);
            continue;
        }
        auto *b = new QToolButton(BarraBotoes);
        b->setObjectName(name);
        b->setToolTip(QString::fromUtf8(def.hint));
        b->setFixedSize(39, 38);
        b->setIconSize(QSize(32, 32));
        b->setIcon(builtInImage(image++));
        b->setProperty("tag", def.tag);
        BarraBotoes->addWidget(b);
        buttons_ << b;
        const QString entry = QString::fromLatin1(def.entry);
        buttonEntry_.insert(name, entry);
        if (entry == QLatin1String("bForCep"))
            entries_.insert(entry, Entry{QStringLiteral("CAD_CEP"), true, false, 0});
        connect(b, &QToolButton::clicked, this, [this, entry] { openEntry(entry); });
    }
}

QToolButton *TForPri::button(const QString &name) const
{
    for (QToolButton *b : buttons_)
        if (b->objectName() == name)
            return b;
    return nullptr;
}

void TForPri::registerWindow(const QString &entry, const Factory &factory)
{
    factories_.insert(entry, factory);
    updateCompanyCommands();
}

void TForPri::showProgress(const QString &text)
{
    panels_[1]->setText(text);
    panels_[1]->repaint();
}

QMdiSubWindow *TForPri::findChildFrame(const QString &objectName) const
{
    for (QMdiSubWindow *w : mdi_->subWindowList())
        if (w->widget() && w->widget()->objectName() == objectName)
            return w;
    return nullptr;
}

void TForPri::openEntry(const QString &name)
{
    if (name == QLatin1String("Sair1")) {
        close();
        return;
    }
    if (name == QLatin1String("Sobre1")) {
        showAbout();
        return;
    }
    if (name == QLatin1String("NivArq") && Session::values().OperatorLevel != 0) {
        Messages::plain(QStringLiteral("Cadastro de níveis só pode ser acessado por operadores de nível zero!"));
        return;
    }
    const Entry entry = entries_.value(name);
    if (!entry.module.isEmpty() && !ModuleRights::moduleRight(4, entry.module))
        return;
    if (entry.backupCheck && ModuleRights::backupRunning())
        return;
    openChild(name);
}

void TForPri::openChild(const QString &entry)
{
    const Factory factory = factories_.value(entry);
    if (!factory)
        return;
    const QString known = windowNames_.value(entry);
    if (QMdiSubWindow *frame = known.isEmpty() ? nullptr : findChildFrame(known)) {
        const bool always = entry == QLatin1String("TitArq") || entry == QLatin1String("NivArq");
        if (frame == mdi_->activeSubWindow() && !always)
            return;
        if (frame->isMinimized() || frame->isMaximized())
            frame->showNormal();
        mdi_->setActiveSubWindow(frame);
        frame->raise();
        return;
    }
    QWidget *window = factory();
    if (!window)
        return;
    windowNames_.insert(entry, window->objectName());
    QMdiSubWindow *frame = mdi_->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    connect(frame, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &TForPri::updateWatcher); });
    frame->show();
    window->setFocus();
    updateWatcher();
}

void TForPri::showAbout()
{
    TForSob about(this);
    about.exec();
}

void TForPri::showPhrase()
{
    TForFrase phrase(this);
    phrase.exec();
}

void TForPri::arrangeIcons()
{
    int x = 0;
    const int bottom = mdi_->viewport()->height();
    for (QMdiSubWindow *w : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized())
            continue;
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

void TForPri::closeAllChildren()
{
    QList<QMdiSubWindow *> frames = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        (*it)->close();
}

void TForPri::installKeyFilter()
{
    KeyHook::install([this](QKeyEvent *event) { return mainKeyFilter(event); });
}

bool TForPri::mainKeyFilter(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || !mdi_->subWindowList().isEmpty())
        return false;
    QWidget *active = QApplication::activeWindow();
    if (active && active != this)
        return false;
    if (!isVisible())
        return false;
    QTimer::singleShot(0, this, &QWidget::close);
    return true;
}

void TForPri::updateWatcher()
{
    if (!watching_)
        return;
    const bool children = !mdi_->subWindowList().isEmpty();
    if (QAction *jan = actions_.value(QStringLiteral("JanArq")))
        jan->setEnabled(children);
    QWidget *active = QApplication::activeWindow();
    if (!children && (!active || active == this) && !QApplication::activeModalWidget())
        installKeyFilter();
}

void TForPri::detachHooks()
{
    if (watching_) {
        disconnect(qApp, &QApplication::focusChanged, this, nullptr);
        disconnect(mdi_, &QMdiArea::subWindowActivated, this, nullptr);
    }
    watching_ = false;
    KeyHook::remember();
}

void TForPri::attachHooks()
{
    if (!watching_) {
        connect(qApp, &QApplication::focusChanged, this, [this] { updateWatcher(); });
        connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { updateWatcher(); });
    }
    watching_ = true;
    KeyHook::restore([this](QKeyEvent *event) { return mainKeyFilter(event); });
}

void TForPri::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (isActiveWindow() || !QApplication::activeWindow())
            FormActivate();
    });
}

void TForPri::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

bool TForPri::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mdi_->viewport() && event->type() == QEvent::Resize && isVisible())
        QTimer::singleShot(0, this, &TForPri::applyBackground);
    return QMainWindow::eventFilter(watched, event);
}

void TForPri::FormActivate()
{
    if (activating_ || !isVisible())
        return;
    activating_ = true;
    attachHooks();
    updateWatcher();
    const SessionValues &session = Session::values();
    panels_[1]->clear();
    panels_[2]->setText(session.OperatorName);
    setWindowTitle(QCoreApplication::applicationName());
    applyBackground();

    if (g_personalSetup) {
        g_personalSetup = false;
        TTabPadroes *global = TTabPadroes::instance();
        QString frs, bot, cst, tem;
        if (global && WorkingCompany::LocateSessionOperator()) {
            const Table &op = global->TbOpr;
            frs = op.asString(QStringLiteral("frs_opr"));
            bot = op.asString(QStringLiteral("bot_opr"));
            cst = op.asString(QStringLiteral("cst_opr"));
            tem = op.asString(QStringLiteral("tem_opr"));
        }
        actions_.value(QStringLiteral("Fra_Arq"))->setChecked(frs.isEmpty());
        actions_.value(QStringLiteral("Bot_Arq"))->setChecked(bot.isEmpty());
        applyToolBar();
        updateCompanyCommands();
        if (frs.isEmpty())
            showPhrase();
        if (cst == QLatin1String("S")) {
            const QString sound = Theme(tem).file(QStringLiteral("Geral"), QStringLiteral("abertura"));
            if (!sound.isEmpty())
                Sounds::play(sound);
        }
    }
    setPasswordLevelsEnabled();
    activating_ = false;
}

void TForPri::setPasswordLevelsEnabled()
{
    actions_.value(QStringLiteral("NivArq"))
        ->setEnabled(Session::values().OperatorLevel == 0 && windowAvailable(QStringLiteral("NivArq")));
}

void TForPri::applyBackground()
{
    TTabPadroes *global = TTabPadroes::instance();
    mdi_->setBackground(palette().brush(QPalette::Dark));
    if (!global)
        return;
    if (!WorkingCompany::LocateSessionOperator()) {
        Messages::error(QStringLiteral("Operador não encontrado:") + Session::values().OperatorName
                        + QStringLiteral("\r\nProcesso cancelado."));
        return;
    }
    const Table &op = global->TbOpr;
    const QBrush brush = Background::brush(Background::Look::fromOperator(op), mdi_->viewport()->size());
    if (brush.style() != Qt::NoBrush)
        mdi_->setBackground(brush);
    if (op.asString(QStringLiteral("cit_opr")) == QLatin1String("S")) {
        const QString icon = Theme(op.asString(QStringLiteral("tem_opr"))).file(QStringLiteral("Icones"), QStringLiteral("ForPri"));
        if (!icon.isEmpty())
            QApplication::setWindowIcon(QIcon(icon));
    }
}

void TForPri::applyToolBar()
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return;
    if (!WorkingCompany::LocateSessionOperator()) {
        Messages::error(QStringLiteral("Operador não encontrado:") + Session::values().OperatorName
                        + QStringLiteral("\r\nProcesso cancelado."));
        return;
    }
    const Table &op = global->TbOpr;
    const QString bot = op.asString(QStringLiteral("bot_opr"));
    if (bot == QLatin1String("N")) {
        BarraBotoes->hide();
        return;
    }
    BarraBotoes->show();
    const bool themed = !op.asString(QStringLiteral("tem_opr")).isEmpty() && op.asString(QStringLiteral("cit_opr")) == QLatin1String("S");
    const Theme theme(op.asString(QStringLiteral("tem_opr")));
    int image = 0;
    for (QToolButton *b : buttons_) {
        const QString file = themed && theme.exists() ? theme.file(QStringLiteral("Icones"), b->objectName().mid(1)) : QString();
        b->setIcon(file.isEmpty() ? builtInImage(image) : QIcon(file));
        ++image;
    }
    setToolBarPosition(bot);
}

void TForPri::setToolBarPosition(const QString &bot)
{
    Qt::ToolBarArea area = barArea_;
    if (bot.trimmed().isEmpty())
        area = Qt::TopToolBarArea;
    else if (bot == QLatin1String("B"))
        area = Qt::BottomToolBarArea;
    else if (bot == QLatin1String("L"))
        area = Qt::LeftToolBarArea;
    else if (bot == QLatin1String("R"))
        area = Qt::RightToolBarArea;
    barArea_ = area;
    const bool vertical = area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea;
    BarraBotoes->setMinimumSize(0, 0);
    BarraBotoes->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (vertical)
        BarraBotoes->setFixedWidth(80);
    else
        BarraBotoes->setFixedHeight(44);
    removeToolBar(BarraBotoes);
    addToolBar(area, BarraBotoes);
    BarraBotoes->show();
}

void TForPri::updateCompanyCommands()
{
    const SessionValues &session = Session::values();
    const bool company = !session.CompanyDir.isEmpty();
    TTabPadroes *global = TTabPadroes::instance();
    const bool cepOpen = global && global->TbCep.isOpen();
    if (BarraBotoes->isVisible() || !isVisible()) {
        for (QToolButton *b : buttons_) {
            const QString entry = buttonEntry_.value(b->objectName());
            bool on = windowAvailable(entry);
            if (entry == QLatin1String("CadMen") || entry == QLatin1String("EtqMen") || entry == QLatin1String("BacArq"))
                on = on && company;
            else if (entry == QLatin1String("bForCep"))
                on = on && cepOpen;
            b->setEnabled(on && (!levelRestricted_ || (b->property("tag").toInt() >= 1 && b->property("tag").toInt() <= 3)));
        }
    }
    for (auto it = entries_.cbegin(); it != entries_.cend(); ++it) {
        QAction *a = actions_.value(it.key());
        if (!a || it.key() == QLatin1String("ArqMen") || it.key() == QLatin1String("bForCep"))
            continue;
        bool on = it.key() == QLatin1String("Sair1") || it.key() == QLatin1String("Sobre1") || windowAvailable(it.key());
        if (it->companyDependent)
            on = on && company;
        if (levelRestricted_ && (it.key() == QLatin1String("CadMen") || it.key() == QLatin1String("EtqMen")))
            on = false;
        a->setEnabled(on);
    }
    actions_.value(QStringLiteral("ArqMen"))->setEnabled(true);
    setPasswordLevelsEnabled();
}

void TForPri::applyCompanyLevel()
{
    TTabPadroes *global = TTabPadroes::instance();
    const SessionValues &session = Session::values();
    levelRestricted_ = false;
    if (global && !session.CompanyDir.isEmpty()) {
        Table &companies = global->TbEmp;
        companies.setIndexFieldNames(QStringLiteral("cod_emp"));
        if (companies.locate(QStringLiteral("cod_emp"), {session.CompanyCode})
            && companies.asInt(QStringLiteral("niv_emp")) < session.OperatorLevel) {
            Messages::plain(QStringLiteral("Operador com Nível não permitido para acessar esta empresa, Selecione outra empresa!"));
            levelRestricted_ = true;
        }
    }
    updateCompanyCommands();
}

bool TForPri::writeOperator(const QString &field, const QString &value, const QString &notFound)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return false;
    Table &op = global->TbOpr;
    const SessionValues &s = Session::values();
    op.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
    if (!op.locate(QStringLiteral("nom_opr;sen_opr"), {s.OperatorName, s.OperatorPassword})) {
        Messages::plain(notFound);
        return false;
    }
    try {
        op.edit();
        if (op.state() != Table::State::Edit)
            throw DbError(QStringLiteral("edit refused"));
        op.setValue(field, value);
        op.post();
        return true;
    } catch (const DbError &) {
        if (op.state() == Table::State::Edit)
            op.cancel();
        Messages::error(QStringLiteral("Não foi possível atualizar configuração!"));
        return false;
    }
}

void TForPri::toggleToolBar(bool checked)
{
    QAction *bar = actions_.value(QStringLiteral("Bot_Arq"));
    if (ModuleRights::backupRunning()) {
        bar->setChecked(!checked);
        return;
    }
    const QString notFound = QStringLiteral("Operador não encontrado : ") + Session::values().OperatorName;
    if (!writeOperator(QStringLiteral("bot_opr"), checked ? QString() : QStringLiteral("N"), notFound)) {
        bar->setChecked(!checked);
        return;
    }
    if (checked) {
        applyToolBar();
        updateCompanyCommands();
    } else {
        BarraBotoes->hide();
    }
}

void TForPri::toolBarMenu(const QPoint &pos)
{
    QMenu menu(this);
    const std::pair<const char *, const char *> places[] = {{"Topo", ""}, {"Baixo", "B"}, {"Esquerda", "L"}, {"Direita", "R"}, {"Ocultar", "N"}};
    for (const auto &[caption, code] : places) {
        const QString value = QString::fromLatin1(code);
        menu.addAction(QString::fromUtf8(caption), this, [this, value] {
            const QString notFound = QStringLiteral("Operador não encontrado : ") + Session::values().OperatorName;
            if (!writeOperator(QStringLiteral("bot_opr"), value, notFound))
                return;
            if (value == QLatin1String("N")) {
                BarraBotoes->hide();
                actions_.value(QStringLiteral("Bot_Arq"))->setChecked(false);
                return;
            }
            applyToolBar();
            updateCompanyCommands();
        });
    }
    menu.exec(BarraBotoes->mapToGlobal(pos));
}

void TForPri::togglePhrase(bool checked)
{
    if (!writeOperator(QStringLiteral("frs_opr"), checked ? QString() : QStringLiteral("N"), QStringLiteral("Operador não encontrado!")))
        actions_.value(QStringLiteral("Fra_Arq"))->setChecked(!checked);
}

void TForPri::playThemeSound(const QString &key)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global || !WorkingCompany::LocateSessionOperator())
        return;
    const Table &op = global->TbOpr;
    if (op.asString(QStringLiteral("cst_opr")) != QLatin1String("S"))
        return;
    const QString sound = Theme(op.asString(QStringLiteral("tem_opr"))).file(QStringLiteral("Geral"), key);
    if (!sound.isEmpty())
        Sounds::play(sound);
}

void TForPri::closeEvent(QCloseEvent *event)
{
    if (!exitAccepted_) {
        TForDesligar exitWindow(this);
        exitWindow.exec();
        exitChoice_ = exitWindow.choice();
        if (exitChoice_ == QLatin1String("N")) {
            event->ignore();
            return;
        }
        exitAccepted_ = true;
        playThemeSound(QStringLiteral("saida"));
        detachHooks();
        KeyHook::remove();
        AppLifetime::requestEnd(0);
        if (exitChoice_ == QLatin1String("R"))
            Seam<SystemPower>::get().restart();
        else if (exitChoice_ == QLatin1String("D"))
            Seam<SystemPower>::get().shutdown();
    }
    event->accept();
}
