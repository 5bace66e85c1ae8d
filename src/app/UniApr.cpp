#include "app/UniApr.h"

#include "access/PasswordForm.h"
#include "app/AppLifetime.h"
#include "utilities/ProgramVersion.h"
#include "app/SessionMarker.h"
#include "app/UniPri.h"
#include "app/UniVerResult.h"
#include "framework/ComputerUser.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniTabPadroes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TForApr::TForApr(TForPri *mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), main_(mainWindow),
      previousProgress_(Seam<ProgressTarget>::install(this))
{
    setObjectName(QStringLiteral("ForApr"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::applicationName());
    setFixedSize(520, 330);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();

    Lb_Versao = new QLabel(QStringLiteral("Versão ") + ProgramVersion::current(), this);
    Lb_Versao->setObjectName(QStringLiteral("Lb_Versao"));
    Lb_Versao->setStyleSheet(QStringLiteral("color: #000080; font-weight: bold;"));
    auto *versionRow = new QHBoxLayout;
    versionRow->setContentsMargins(16, 0, 16, 4);
    versionRow->addStretch();
    versionRow->addWidget(Lb_Versao);
    layout->addLayout(versionRow);

    Barra_Senha = new QFrame(this);
    Barra_Senha->setObjectName(QStringLiteral("Barra_Senha"));
    Barra_Senha->setFrameShape(QFrame::StyledPanel);
    Barra_Senha->setAutoFillBackground(true);
    auto *grid = new QGridLayout(Barra_Senha);
    Ed_Nome = new QComboBox(Barra_Senha);
    Ed_Nome->setObjectName(QStringLiteral("Ed_Nome"));
    Ed_Nome->setEditable(false);
    Ed_Senha = PasswordForm::passwordBox(Barra_Senha, QStringLiteral("Ed_Senha"));
    BtSen1 = new QPushButton(QStringLiteral("&Ok"), Barra_Senha);
    BtSen1->setObjectName(QStringLiteral("BtSen1"));
    BtSen2 = new QPushButton(QStringLiteral("&Cancela"), Barra_Senha);
    BtSen2->setObjectName(QStringLiteral("BtSen2"));
    for (QPushButton *b : {BtSen1, BtSen2})
        b->setAutoDefault(false);
    grid->addWidget(new QLabel(QStringLiteral("Operador:"), Barra_Senha), 0, 0);
    grid->addWidget(Ed_Nome, 0, 1);
    grid->addWidget(BtSen1, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Senha:"), Barra_Senha), 1, 0);
    grid->addWidget(Ed_Senha, 1, 1);
    grid->addWidget(BtSen2, 1, 2);
    grid->setColumnStretch(1, 1);
    Barra_Senha->hide();
    layout->addWidget(Barra_Senha);

    Barra = new QLabel(this);
    Barra->setObjectName(QStringLiteral("Barra"));
    Barra->setFrameShape(QFrame::Panel);
    Barra->setFrameShadow(QFrame::Sunken);
    Barra->setAutoFillBackground(true);
    Barra->setMinimumHeight(22);
    Barra->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(Barra);

    connect(BtSen1, &QPushButton::clicked, this, &TForApr::BtSen1Click);
    connect(BtSen2, &QPushButton::clicked, this, &TForApr::BtSen2Click);
    for (QWidget *w : {static_cast<QWidget *>(Ed_Nome), static_cast<QWidget *>(Ed_Senha), static_cast<QWidget *>(Barra)})
        w->installEventFilter(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

TForApr::~TForApr()
{
    hook_.release();
    Seam<ProgressTarget>::install(previousProgress_);
}

void TForApr::showProgress(const QString &text)
{
    Barra->setText(text);
    Barra->repaint();
}

void TForApr::showPasswordPanel()
{
    Barra_Senha->show();
    Barra_Senha->raise();
    Ed_Nome->clear();
    Ed_Senha->clear();
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return;
    Table &operators = global->TbOpr;
    operators.refresh();
    operators.first();
    const QString user = ComputerUser::name().toUpper();
    QStringList names;
    for (; !operators.eof(); operators.next())
        names << operators.asString(QStringLiteral("nom_opr"));
    names.sort(Qt::CaseInsensitive);
    Ed_Nome->addItems(names);
    int selected = 0;
    for (int i = 0; i < names.size(); ++i)
        if (!user.isEmpty() && names[i].toUpper() == user)
            selected = i;
    Ed_Nome->setCurrentIndex(names.isEmpty() ? -1 : selected);
    if (Ed_Senha->isVisible())
        Ed_Senha->setFocus();
}

void TForApr::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(width(), 0, 0, height());
    fill.setColorAt(0, QColor(0, 0, 128));
    fill.setColorAt(1, Qt::white);
    p.fillRect(rect(), fill);

    // The program's picture: an envelope with an address label.
    const QRectF envelope(36, 40, 150, 96);
    p.setPen(QPen(QColor(0, 0, 90), 3));
    p.setBrush(QColor(255, 250, 235));
    p.drawRoundedRect(envelope, 6, 6);
    QPainterPath flap;
    flap.moveTo(envelope.topLeft());
    flap.lineTo(envelope.center().x(), envelope.top() + 52);
    flap.lineTo(envelope.topRight());
    p.drawPath(flap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(envelope.left() + 40, envelope.top() + 66 + i * 8, 70 - i * 14, 4));

    QFont title = font();
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRectF(200, 48, width() - 210, 60), Qt::AlignLeft | Qt::AlignVCenter, QCoreApplication::applicationName());
    QFont subtitle = font();
    subtitle.setPointSize(11);
    p.setFont(subtitle);
    p.drawText(QRectF(204, 104, width() - 210, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Mala direta e etiquetas"));
}

void TForApr::installKeyFilter()
{
    hook_.install([](QKeyEvent *key) { return key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F12; });
}

void TForApr::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    installKeyFilter();
    if (!shownOnce_) {
        shownOnce_ = true;
        login_.resetAttempts();
    }
}

void TForApr::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        installKeyFilter();
}

void TForApr::closeEvent(QCloseEvent *event)
{
    if (!Barra->text().trimmed().isEmpty()) {
        event->ignore();
        return;
    }
    hook_.release();
    if (main_)
        main_->installKeyFilter();
    event->accept();
}

bool TForApr::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Barra && event->type() == QEvent::MouseButtonPress) {
        if (Barra->text().isEmpty() && Barra_Senha->isVisibleTo(this)) {
            Barra_Senha->raise();
            Ed_Senha->setFocus();
        }
        return false;
    }
    if (watched == Ed_Senha && event->type() == QEvent::FocusIn) {
        Ed_Senha->clear();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Escape) {
        BtSen2->click();
        return true;
    }
    if (watched == Ed_Nome && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Ed_Senha->setFocus();
        return true;
    }
    if (watched == Ed_Senha && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        BtSen1->click();
        return true;
    }
    if (watched == Ed_Senha && key == Qt::Key_Up) {
        Ed_Nome->setFocus();
        return true;
    }
    return false;
}

void TForApr::endProgram(int exitCode)
{
    showProgress(QString());
    AppLifetime::requestEnd(exitCode);
    close();
}

void TForApr::BtSen1Click()
{
    if (!Barra_Senha->isVisible())
        return;
    switch (login_.accept(Ed_Nome->currentText(), Ed_Senha->text())) {
    case Login::Outcome::Refused:
        endProgram(1);
        return;
    case Login::Outcome::TooManyFailures:
        endProgram(0);
        return;
    case Login::Outcome::WrongPassword:
        Ed_Senha->clear();
        Ed_Senha->setFocus();
        return;
    case Login::Outcome::AlreadyLoggedIn:
        Ed_Senha->clear();
        Ed_Nome->setFocus();
        return;
    case Login::Outcome::CompanyFailed:
        return;
    case Login::Outcome::Entered:
        break;
    }
    Barra_Senha->hide();
    SessionValues &session = Session::values();
    if (session.IntegrityCheckMode != 0) {
        auto *result = new TForVerResult(this);
        result->exec();
        if (session.IntegrityCheckMode == 2) {
            endProgram(0);
            return;
        }
        session.IntegrityCheckMode = 0;
    }
    if (TTabPadroes *global = TTabPadroes::instance())
        global->TbOpr.flush();
    showProgress(QString());
    if (main_) {
        main_->showMaximized();
        main_->applyCompanyLevel();
    }
    close();
}

void TForApr::BtSen2Click()
{
    if (!Barra_Senha->isVisible())
        return;
    SessionValues &session = Session::values();
    if (session.IntegrityCheckMode != 0
        && Messages::show(MsgIcon::Warning, MsgButtons::YesNo,
                          QStringLiteral("VERIFICAÇÃO DE INTEGRIDADE INCOMPLETA\r\n"
                                         "Se você abandonar o sistema neste momento, a verificação de \r\n"
                                         "integridade não terá sido executada em sua empresa de trabalho.\r\n"
                                         "Deseja realmente sair do sistema?"))
               != MsgAnswer::Yes)
        return;
    showProgress(QString());
    if (session.IntegrityCheckMode == 0)
        SessionMarker::remove();
    endProgram(0);
}
