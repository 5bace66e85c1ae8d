#include "printing/PrintJobState.h"

PrintJobState &PrintJobState::instance()
{
    static PrintJobState state;
    return state;
}

void PrintJobState::abandon()
{
    open = false;
    if (ownedOutput)
        ownedOutput->close();
    ownedOutput.reset();
    output = nullptr;
    log.close();
    plain.close();
}
