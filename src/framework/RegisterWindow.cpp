#include "framework/RegisterWindow.h"

#include "framework/RegisterGrid.h"
#include "framework/RegisterServices.h"
#include "storage/Table.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

RegisterWindow::RegisterWindow(const QString &objectName, const QString &caption, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *outer = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    header_ = new QWidget(this);
    left->addWidget(header_);
    pages_ = new QTabWidget(this);
    tablePage_ = new QWidget;
    fichaPage_ = new QWidget;
    pages_->addTab(tablePage_, QStringLiteral("Tabela"));
    pages_->addTab(fichaPage_, QStringLiteral("Ficha"));
    grid_ = new RegisterGrid(tablePage_);
    grid_->setObjectName(QStringLiteral("Grade_") + objectName.mid(4));
    auto *tableLayout = new QVBoxLayout(tablePage_);
    tableLayout->setContentsMargins(2, 2, 2, 2);
    tableLayout->addWidget(grid_);
    left->addWidget(pages_, 1);
    outer->addLayout(left, 1);
    buttons_ = new QVBoxLayout;
    outer->addLayout(buttons_);

    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (switchingPage_)
            return;
        const bool editing = mode_ == Mode::Insert || mode_ == Mode::Change;
        if (editing && shownPage_ == pages_->indexOf(fichaPage_) && index != shownPage_ && !canLeaveFicha()) {
            switchingPage_ = true;
            pages_->setCurrentIndex(shownPage_);
            switchingPage_ = false;
            return;
        }
        shownPage_ = index;
    });

    // The key scheme holds whenever the focus is in this window; elsewhere the
    // filter that was in force before keeps working.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { watchFocus(now); });
    watchFocus(QApplication::focusWidget());
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::watchFocus(QWidget *now)
{
    if (!now || !isAncestorOf(now) || hook_.held())
        return;
    // Other windows may keep this filter as the one they pass keys on to,
    // after this window has gone: it must not reach into it then.
    const KeyHook::Filter outside = KeyHook::current();
    QPointer<RegisterWindow> self(this);
    hook_.install([self, outside](QKeyEvent *event) {
        if (self && self->handleKey(event))
            return true;
        return outside ? outside(event) : false;
    });
}

QPushButton *RegisterWindow::button(const QString &name) const { return findChild<QPushButton *>(name); }

QPushButton *RegisterWindow::addButton(const QString &name, const QString &caption, const std::function<void()> &action)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumWidth(96);
    auto running = std::make_shared<bool>(false);
    connect(b, &QPushButton::clicked, this, [b, action, running] {
        if (*running)
            return;
        *running = true;
        QPointer<QPushButton> guard(b);
        b->setDown(true);
        action();
        *running = false;
        if (guard)
            guard->setDown(false);
    });
    buttons_->addWidget(b);
    return b;
}

void RegisterWindow::addButtonSpacing() { buttons_->addStretch(1); }

void RegisterWindow::showTable()
{
    switchingPage_ = true;
    pages_->setCurrentWidget(tablePage_);
    shownPage_ = pages_->currentIndex();
    switchingPage_ = false;
}

void RegisterWindow::showFicha()
{
    switchingPage_ = true;
    pages_->setCurrentWidget(fichaPage_);
    shownPage_ = pages_->currentIndex();
    switchingPage_ = false;
}

void RegisterWindow::locateInGrid()
{
    if (!grid_->table() || !grid_->table()->isOpen() || grid_->table()->isEmpty())
        return;
    Seam<LocateWindow>::get().locate(grid_->currentField(), *grid_->table(), grid_->currentTitle());
}

void RegisterWindow::focusNext(QWidget *from, bool forward)
{
    // The focus chain of the window, skipping what cannot take the focus now.
    QWidget *w = from;
    for (int guard = 0; guard < 500; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return;
        if (isAncestorOf(w) && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)
            && !qobject_cast<QTabBar *>(w)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

bool RegisterWindow::handleKey(QKeyEvent *event)
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus) || !isActiveWindow())
        return false;
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (exit_ && exit_->isEnabled())
            exit_->click();
        return true;
    }
    if (key == Qt::Key_PageDown && mods == Qt::NoModifier && fichaPage_->isAncestorOf(focus)) {
        if (ok_ && ok_->isEnabled())
            ok_->click();
        return true;
    }
    const bool multiLine = qobject_cast<QPlainTextEdit *>(focus) || qobject_cast<QTextEdit *>(focus);
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || (key == Qt::Key_Tab && mods == Qt::NoModifier)) && !multiLine) {
        if (auto *b = qobject_cast<QAbstractButton *>(focus); b && enter && !b->isCheckable()) {
            b->click();
            return true;
        }
        if (auto check = leaveChecks_.value(focus); check && !check())
            return true;
        focusNext(focus, true);
        return true;
    }
    if (key == Qt::Key_Up && mods == Qt::NoModifier && !multiLine
        && (qobject_cast<QLineEdit *>(focus) || qobject_cast<QAbstractSpinBox *>(focus))) {
        focusNext(focus, false);
        return true;
    }
    return false;
}
