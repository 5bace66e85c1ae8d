#pragma once

#include "framework/Clock.h"

#include <functional>

// A clock that stands still until told, and whose pauses only add up: tests
// that wait through many attempts run at once. Installed for its lifetime.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime &start = QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0)))
        : now_(start), seam_(*this) {}

    QDateTime now() const override { return now_; }
    void delay(int ms) override
    {
        now_ = now_.addMSecs(ms);
        waited_ += ms;
        ++delays_;
        if (onDelay)
            onDelay(delays_);
    }

    void set(const QDateTime &moment) { now_ = moment; }
    qint64 waitedMs() const { return waited_; }
    int delays() const { return delays_; }

    // Runs after every pause, with the number of pauses so far.
    std::function<void(int)> onDelay;

private:
    QDateTime now_;
    qint64 waited_ = 0;
    int delays_ = 0;
    ScopedSeam<Clock> seam_;
};
