#pragma once

#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The operator list and password box that the login, the change of operator
// and the supervisor override share.
namespace PasswordForm {

// At most 8 characters, shown as "*", turned to upper case as typed.
QLineEdit *passwordBox(QWidget *parent, const QString &objectName);

struct Fields
{
    QComboBox *name;
    QLineEdit *password;
    QPushButton *ok;
    QPushButton *other;
};

// "Nome" and "Senha" rows (boxes Ed_Nome and Ed_senha) with "&Ok" and
// otherCaption beneath, laid out on owner. The boxes move as the password
// windows do: Enter on the list goes to the password, Enter or Page Down on
// the password presses "&Ok", Up goes back, and the password empties when it
// gets the focus.
Fields build(QWidget *owner, const QString &otherCaption);

} // namespace PasswordForm
