#pragma once

#include "framework/Seam.h"

#include <QDateTime>

// Today's date, the time of day and pauses. Tests install a clock that moves
// on without sleeping.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Returns after ms milliseconds, letting pending window events run.
    virtual void delay(int ms) = 0;

    QDate today() const { return now().date(); }
};
template <> Clock &Seam<Clock>::fallback();

namespace Clocks {
Clock &current();
}

class SystemClock : public Clock
{
public:
    QDateTime now() const override;
    void delay(int ms) override;
};
