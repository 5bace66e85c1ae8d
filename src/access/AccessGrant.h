#pragma once

#include <QString>

// Whether an operator's name and password release a right: a level-0
// operator holds every right; another level needs "S" at the right's
// position of ace_niv for the module.
namespace AccessGrant {

enum class Result { WrongPassword, Granted, NotAllowed };

// position: 1 insert, 2 change, 3 delete, 4 search/open. Leaves TbOpr on
// the operator found.
Result check(const QString &name, const QString &typedPassword, int position, const QString &module);

} // namespace AccessGrant
