#include "utilities/UniFrase.h"

#include "framework/Clock.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniTabPadroes.h"
#include "storage/DbError.h"
#include "utilities/PhraseTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The framed panel the phrase stands on: light yellow fading to white.
class GradientPanel : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(255, 255, 192));
        g.setColorAt(1, Qt::white);
        p.fillRect(rect(), g);
        p.end();
        QFrame::paintEvent(event);
    }
};

} // namespace

TForFrase::TForFrase(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ForFrase"));
    setWindowTitle(QStringLiteral("Frase do Dia"));
    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    auto *panel = new GradientPanel(this);
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumSize(380, 180);
    auto *panelLayout = new QVBoxLayout(panel);
    Label_Frase = new QLabel(panel);
    Label_Frase->setObjectName(QStringLiteral("Label_Frase"));
    Label_Frase->setWordWrap(true);
    Label_Frase->setAlignment(Qt::AlignCenter);
    QFont phraseFont = Label_Frase->font();
    phraseFont.setPointSize(phraseFont.pointSize() + 3);
    Label_Frase->setFont(phraseFont);
    Label_Frase->setStyleSheet(QStringLiteral("color: #000080;"));
    Label_Autor = new QLabel(panel);
    Label_Autor->setObjectName(QStringLiteral("Label_Autor"));
    Label_Autor->setWordWrap(true);
    Label_Autor->setAlignment(Qt::AlignCenter);
    Label_Autor->setStyleSheet(QStringLiteral("color: #000080; font-weight: bold;"));
    panelLayout->addWidget(Label_Frase, 1);
    panelLayout->addWidget(Label_Autor);
    row->addWidget(panel, 1);

    auto *buttons = new QVBoxLayout;
    Bot_Prox = new QPushButton(QStringLiteral("&Próxima"), this);
    Bot_Ant = new QPushButton(QStringLiteral("&Anterior"), this);
    Bot_Sair = new QPushButton(QStringLiteral("&Sair"), this);
    for (QPushButton *b : {Bot_Prox, Bot_Ant, Bot_Sair}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    row->addLayout(buttons);
    layout->addLayout(row);
    Cb_Inicio = new QCheckBox(QStringLiteral("Mostrar frases no início do programa"), this);
    Cb_Inicio->setObjectName(QStringLiteral("Cb_Inicio"));
    Cb_Inicio->setChecked(true);
    layout->addWidget(Cb_Inicio);
    Bot_Ant->setEnabled(false);
    setFixedSize(sizeHint().expandedTo(QSize(520, 240)));

    connect(Bot_Prox, &QPushButton::clicked, this, &TForFrase::Bot_ProxClick);
    connect(Bot_Ant, &QPushButton::clicked, this, &TForFrase::Bot_AntClick);
    connect(Bot_Sair, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cb_Inicio, &QCheckBox::clicked, this, &TForFrase::Cb_InicioClick);
}

void TForFrase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
    hook_.install([this](QKeyEvent *key) { return filterKey(key); });
}

void TForFrase::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        hook_.install([this](QKeyEvent *key) { return filterKey(key); });
}

void TForFrase::done(int result)
{
    hook_.release();
    history_.clear();
    QDialog::done(result);
}

bool TForFrase::filterKey(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter) {
        Bot_Sair->click();
        return true;
    }
    if (key == Qt::Key_Escape && QApplication::activeWindow() && !QApplication::activeWindow()->objectName().isEmpty()) {
        Bot_Sair->click();
        return true;
    }
    return false;
}

void TForFrase::FormShow()
{
    history_.clear();
    rows_ = PhraseTable::load(Session::values().ProgramDir);
    random_.seed(quint32(Clocks::current().now().toMSecsSinceEpoch()));
    current_ = PhraseTable::draw(int(rows_.size()), random_);
    history_ << current_;
    position_ = 0;
    showRow(current_);
}

void TForFrase::showRow(int offset)
{
    const PhraseTable::Parts parts = PhraseTable::split(PhraseTable::rowAt(rows_, offset));
    Label_Frase->setText(parts.phrase);
    Label_Autor->setText(parts.author);
}

void TForFrase::Bot_ProxClick()
{
    if (position_ == history_.size() - 1) {
        current_ = PhraseTable::draw(int(rows_.size()), random_);
        history_ << current_;
        ++position_;
    } else {
        ++position_;
        current_ = history_.at(position_);
    }
    showRow(current_);
    Bot_Ant->setEnabled(true);
}

void TForFrase::Bot_AntClick()
{
    if (position_ > 0) {
        --position_;
        current_ = history_.at(position_);
    } else {
        Bot_Ant->setEnabled(false);
    }
    showRow(current_);
}

void TForFrase::Cb_InicioClick()
{
    TTabPadroes *global = TTabPadroes::instance();
    const SessionValues &s = Session::values();
    if (!global)
        return;
    Table &op = global->TbOpr;
    op.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
    if (!op.locate(QStringLiteral("nom_opr;sen_opr"), {s.OperatorName, s.OperatorPassword})) {
        Messages::plain(QStringLiteral("Operador não encontrado!"));
        return;
    }
    try {
        op.edit();
        if (op.state() != Table::State::Edit)
            throw DbError(QStringLiteral("edit refused"));
    } catch (const DbError &) {
        Messages::error(QStringLiteral("Não foi possível atualizar configuração!"));
        return;
    }
    try {
        op.setValue(QStringLiteral("frs_opr"), Cb_Inicio->isChecked() ? QString() : QStringLiteral("N"));
        op.post();
    } catch (const DbError &) {
        op.cancel();
        Messages::error(QStringLiteral("Não foi possível atualizar configuração!"));
    }
}
