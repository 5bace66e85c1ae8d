#include "app/AppLifetime.h"

#include <QCoreApplication>

namespace {
struct State
{
    bool requested = false;
    int code = 0;
    bool loopRunning = false;
};
State &state()
{
    static State s;
    return s;
}
} // namespace

namespace AppLifetime {

void requestEnd(int exitCode)
{
    State &s = state();
    // The first reason to end is the one the process reports.
    if (!s.requested)
        s.code = exitCode;
    s.requested = true;
    // Ending the loop makes every later modal loop return at once, so it is
    // only done once the program's own loop runs.
    if (s.loopRunning)
        QCoreApplication::exit(s.code);
}

bool endRequested() { return state().requested; }
int exitCode() { return state().code; }
void setLoopRunning(bool running) { state().loopRunning = running; }
void reset() { state() = State{}; }

} // namespace AppLifetime
