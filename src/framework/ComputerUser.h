#pragma once

#include <QString>

// The name the computer's user logged in with; the login windows preselect
// the operator of the same name.
namespace ComputerUser {
QString name();
}
