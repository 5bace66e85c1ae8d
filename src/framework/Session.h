#pragma once

#include <QString>

// The process-wide session values. Start-up, login and the choice of the
// working company set them; everything else reads them.
struct SessionValues
{
    QString ExeDir;        // executable's directory, trailing separator
    QString ProgramDir;    // data root, trailing separator; empty when start-up failed
    QString CompanyDir;    // working company's own tables; empty without one
    QString CentralDir;    // working company's shared client tables; empty without one
    int CompanyCode = 0;
    int CentralCode = 0;
    QString OperatorName;
    QString OperatorPassword; // stored form
    int OperatorCode = 0;
    int OperatorLevel = 0;    // 0 holds every right
    int IntegrityCheckMode = 0;    // 0 none, 1 check then enter, 2 check then leave
    bool LiberarSwitch = false;    // first command-line argument is "LIBERAR" (any case)
    bool LockingActive = false;
    int DictionaryVersion = 0;
};

namespace Session {
SessionValues &values();
// Back to the values of a program that has not started (tests, end of process).
void reset();
} // namespace Session
