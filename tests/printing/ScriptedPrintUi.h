#pragma once

#include "printing/PrintFileDialogs.h"
#include "printing/PrintMessages.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// The printing library's boxes and save dialog, scripted: every box is
// recorded and answered from a queue (its first button when the queue is
// empty), every save dialog records its request and returns the next name.
// Installed for its lifetime.
class ScriptedPrintUi : public PrintMessages, public PrintFileDialogs
{
public:
    struct Box
    {
        Icon icon;
        Buttons buttons;
        QString text;
    };

    ScriptedPrintUi();
    ~ScriptedPrintUi() override;

    Answer ask(Icon icon, Buttons buttons, const QString &text) override;
    QString saveFileName(const SaveRequest &request) override;

    void answer(Answer a) { answers_.enqueue(a); }
    void chooseFile(const QString &name) { names_.enqueue(name); }
    QStringList texts() const;
    const QList<Box> &boxes() const { return boxes_; }
    const QList<SaveRequest> &saveRequests() const { return requests_; }
    void clear() { boxes_.clear(); requests_.clear(); }

private:
    QList<Box> boxes_;
    QQueue<Answer> answers_;
    QQueue<QString> names_;
    QList<SaveRequest> requests_;
    PrintMessages *previousMessages_;
    PrintFileDialogs *previousDialogs_;
};
