#include "ScriptedPrintUi.h"

ScriptedPrintUi::ScriptedPrintUi()
    : previousMessages_(PrintMessages::install(this)), previousDialogs_(PrintFileDialogs::install(this))
{
}

ScriptedPrintUi::~ScriptedPrintUi()
{
    PrintMessages::install(previousMessages_);
    PrintFileDialogs::install(previousDialogs_);
}

PrintMessages::Answer ScriptedPrintUi::ask(Icon icon, Buttons buttons, const QString &text)
{
    boxes_.append({icon, buttons, text});
    if (!answers_.isEmpty())
        return answers_.dequeue();
    return buttons == Ok ? AnswerOk : AnswerYes;
}

QString ScriptedPrintUi::saveFileName(const SaveRequest &request)
{
    requests_.append(request);
    return names_.isEmpty() ? QString() : names_.dequeue();
}

QStringList ScriptedPrintUi::texts() const
{
    QStringList list;
    for (const Box &box : boxes_)
        list << box.text;
    return list;
}
