#include "access/PasswordForm.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace PasswordForm {

namespace {

class Keys : public QObject
{
public:
    Keys(const Fields &fields, QObject *parent) : QObject(parent), f_(fields)
    {
        f_.name->installEventFilter(this);
        f_.password->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == f_.password && event->type() == QEvent::FocusIn)
            f_.password->clear();
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == f_.name && enter) {
            f_.password->setFocus();
            return true;
        }
        if (watched == f_.password && (enter || key == Qt::Key_PageDown)) {
            f_.ok->click();
            return true;
        }
        if (watched == f_.password && key == Qt::Key_Up) {
            f_.name->setFocus();
            return true;
        }
        return false;
    }

private:
    Fields f_;
};

} // namespace

QLineEdit *passwordBox(QWidget *parent, const QString &objectName)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setMaxLength(8);
    box->setEchoMode(QLineEdit::Password);
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString &text) {
        const int cursor = box->cursorPosition();
        box->setText(text.toUpper());
        box->setCursorPosition(cursor);
    });
    return box;
}

Fields build(QWidget *owner, const QString &otherCaption)
{
    auto *grid = new QGridLayout(owner);
    Fields f;
    f.name = new QComboBox(owner);
    f.name->setObjectName(QStringLiteral("Ed_Nome"));
    f.password = passwordBox(owner, QStringLiteral("Ed_senha"));
    f.ok = new QPushButton(QStringLiteral("&Ok"), owner);
    f.other = new QPushButton(otherCaption, owner);
    for (QPushButton *b : {f.ok, f.other})
        b->setAutoDefault(false);
    grid->addWidget(new QLabel(QStringLiteral("Nome"), owner), 0, 0);
    grid->addWidget(f.name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Senha"), owner), 1, 0);
    grid->addWidget(f.password, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(f.ok);
    buttons->addWidget(f.other);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 200);
    new Keys(f, owner);
    return f;
}

} // namespace PasswordForm
