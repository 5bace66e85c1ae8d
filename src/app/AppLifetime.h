#pragma once

// Asking the program to end. Before the message loop runs, the start
// sequence looks at the request between its steps; while it runs, the
// request ends the loop with the exit code.
namespace AppLifetime {
void requestEnd(int exitCode = 0);
bool endRequested();
int exitCode();
// The message loop runs from here on (main) or no longer does.
void setLoopRunning(bool running);
// A program that has not been asked anything (tests start several runs).
void reset();
} // namespace AppLifetime
