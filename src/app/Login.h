#pragma once

#include <QString>

// The data side of the opening window's "&Ok": the markers that refuse
// entry, the password, the presence lock in TbOprLog, the session values and
// the working company. The window does what follows (result window, main
// window).
class Login
{
public:
    enum class Outcome {
        Refused,          // a marker file: the program ends with exit code 1
        WrongPassword,    // retry
        TooManyFailures,  // the marker was deleted, the program ends
        AlreadyLoggedIn,  // another process holds the operator's presence record
        CompanyFailed,    // the opening window stays
        Entered
    };

    Outcome accept(const QString &operatorName, const QString &typedPassword);

    // 1 when the opening window is first shown; a login ends after the
    // counter exceeds 3.
    int attempts() const { return attempts_; }
    void resetAttempts() { attempts_ = 1; }

    static QString refusal(); // the first marker found, as its message; empty when none

private:
    bool takePresence(int operatorCode);

    int attempts_ = 1;
};
