#pragma once

#include "framework/Messages.h"

#include <QList>
#include <QQueue>

#include <functional>

// Records every box the program shows and answers from a queue; with the
// queue empty it takes the box's default answer. Installed for its lifetime.
class ScriptedMessages : public MessageService
{
public:
    ScriptedMessages() : seam_(*this) {}

    MsgAnswer ask(const MessageRequest &request) override;

    void answer(MsgAnswer a) { answers_.enqueue(a); }
    const QList<MessageRequest> &shown() const { return shown_; }
    QStringList texts() const;
    QString lastText() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    void clear() { shown_.clear(); answers_.clear(); }

    // Runs when a box is shown, before its answer is taken (to let another
    // process move on while the program waits for the user, say).
    std::function<void(const MessageRequest &)> onAsk;

private:
    QList<MessageRequest> shown_;
    QQueue<MsgAnswer> answers_;
    ScopedSeam<MessageService> seam_;
};
