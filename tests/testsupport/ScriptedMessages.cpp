#include "testsupport/ScriptedMessages.h"

MsgAnswer ScriptedMessages::ask(const MessageRequest &request)
{
    shown_.append(request);
    if (onAsk)
        onAsk(request);
    return answers_.isEmpty() ? Messages::defaultAnswer(request.buttons) : answers_.dequeue();
}

QStringList ScriptedMessages::texts() const
{
    QStringList list;
    for (const MessageRequest &r : shown_)
        list << r.text;
    return list;
}
