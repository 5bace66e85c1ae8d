#include "app/PrintMessagesAdapter.h"

#include "framework/Messages.h"

PrintMessages::Answer PrintMessagesAdapter::ask(Icon icon, Buttons buttons, const QString &text)
{
    static const MsgIcon icons[] = {MsgIcon::None, MsgIcon::Warning, MsgIcon::Error, MsgIcon::Information, MsgIcon::Confirmation};
    static const MsgButtons kinds[] = {MsgButtons::Ok, MsgButtons::YesNo, MsgButtons::YesCancel};
    switch (Messages::show(icons[icon], kinds[buttons], text)) {
    case MsgAnswer::Yes:
        return AnswerYes;
    case MsgAnswer::No:
        return AnswerNo;
    case MsgAnswer::Cancel:
        return AnswerCancel;
    case MsgAnswer::Ok:
        break;
    }
    return AnswerOk;
}
