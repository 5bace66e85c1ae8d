#pragma once

#include <QString>

// The boxes the printing code shows. The library cannot reach the program's
// message service, so the program installs an adapter to it; without one the
// texts go to standard error and the box's first button is taken.
class PrintMessages
{
public:
    enum Icon { None, Warning, Error, Information, Confirmation };
    enum Buttons { Ok, YesNo, YesCancel };
    enum Answer { AnswerOk, AnswerYes, AnswerNo, AnswerCancel };

    virtual ~PrintMessages() = default;
    virtual Answer ask(Icon icon, Buttons buttons, const QString &text) = 0;

    static PrintMessages &current();
    // Returns the adapter that was in force, so a scope can put it back.
    static PrintMessages *install(PrintMessages *messages);

    static void error(const QString &text) { current().ask(Error, Ok, text); }
    static void information(const QString &text) { current().ask(Information, Ok, text); }
};
