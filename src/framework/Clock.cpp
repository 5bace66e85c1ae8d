#include "framework/Clock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

template <>
Clock &Seam<Clock>::fallback()
{
    static SystemClock clock;
    return clock;
}

Clock &Clocks::current() { return Seam<Clock>::get(); }

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

void SystemClock::delay(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, int(qMax<qint64>(1, deadline.remainingTime())));
        const qint64 left = deadline.remainingTime();
        if (left > 0)
            QThread::msleep(qMin<qint64>(left, 10));
    }
}
