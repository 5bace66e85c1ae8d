#include "framework/Session.h"

namespace Session {

SessionValues &values()
{
    static SessionValues session;
    return session;
}

void reset() { values() = SessionValues{}; }

} // namespace Session
