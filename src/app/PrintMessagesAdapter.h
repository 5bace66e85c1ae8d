#pragma once

#include "printing/PrintMessages.h"

// The printing library's boxes, shown through the program's message service.
class PrintMessagesAdapter : public PrintMessages
{
public:
    Answer ask(Icon icon, Buttons buttons, const QString &text) override;
};
