#pragma once

// The hourglass while a long step runs; restored on every path when the
// object goes. Does nothing without a windowed application.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
    // Gives the normal cursor back early (before a question, say).
    void restore();
    void again();

private:
    bool shown_ = false;
};
