#pragma once

#include "framework/Seam.h"

#include <QString>

enum class MsgIcon { None, Warning, Error, Information, Confirmation };
enum class MsgButtons { Ok, YesNo, YesCancel, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct MessageRequest
{
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString text;   // as the program words it, line breaks as "\r\n"
    QString title;  // empty: the icon's usual caption
};

// Everything the program tells or asks the user goes through here.
class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer ask(const MessageRequest &request) = 0;
};
template <> MessageService &Seam<MessageService>::fallback();

namespace Messages {
MessageService &service();
MsgAnswer show(MsgIcon icon, MsgButtons buttons, const QString &text, const QString &title = {});
void warning(const QString &text);
void error(const QString &text);
void information(const QString &text);
void plain(const QString &text);
MsgAnswer confirm(const QString &text, MsgButtons buttons = MsgButtons::YesNo);

// The answer a box gives when the user just presses Enter: its first button.
MsgAnswer defaultAnswer(MsgButtons buttons);
// The caption a box of that icon carries when the caller names none.
QString defaultTitle(MsgIcon icon);
} // namespace Messages

// The windowed program's boxes, with Portuguese button captions.
class WidgetMessageService : public MessageService
{
public:
    MsgAnswer ask(const MessageRequest &request) override;
};

// For the command line: every text goes to standard error and the box's
// default answer is taken, so nothing ever waits for a user.
class StderrMessageService : public MessageService
{
public:
    MsgAnswer ask(const MessageRequest &request) override;
};
