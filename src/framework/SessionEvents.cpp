#include "framework/SessionEvents.h"

SessionEvents &SessionEvents::instance()
{
    static SessionEvents events;
    return events;
}
