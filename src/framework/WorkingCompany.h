#pragma once

#include <QString>

#include <functional>

// Making a company the working company: its directories, its data module and
// the operator's remembered choice (emp_opr).
namespace WorkingCompany {

// What the company register adds to a selection made from its grid.
struct RegisterSteps
{
    std::function<void(bool)> setWindowEnabled;
};

// Positions the global TbOpr on the logged-in operator (name and stored
// password); says "Operador não encontrado : NAME" when there is none.
bool LocateSessionOperator();

// Makes the company TbEmp stands on the working company. With steps, the
// register's variant (refuses the company already selected, disables the
// register window while the switch runs).
bool SelectCurrentCompany(const RegisterSteps *steps = nullptr);

// The register's "Sele&cionar": the level gate, then (for another company)
// beforeSwitch (the main window closes the other child windows), then the
// selection. True when the register is to close.
bool SelectFromRegister(const std::function<void()> &beforeSwitch, const RegisterSteps &steps);

// At login, with the operator record current: brings back the operator's
// last company. false: the login does not go on.
bool RestoreOperatorCompany();

// An operator may work on a company whose level number is not below its own.
inline bool levelAllows(int operatorLevel, int companyLevel) { return operatorLevel <= companyLevel; }

QString statusText(int code, const QString &name);
QString companyDir(int code); // ProgramDir + "Tabelas/" + "000", no trailing separator

} // namespace WorkingCompany
