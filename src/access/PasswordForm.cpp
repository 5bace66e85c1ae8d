#include "access/PasswordForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace PasswordForm {

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
    return f;
}

} // namespace PasswordForm
