#include "framework/SystemPower.h"

#include "framework/ProcessRunner.h"

template <>
SystemPower &Seam<SystemPower>::fallback()
{
    static ServiceManagerPower power;
    return power;
}

bool ServiceManagerPower::restart()
{
    return Processes::run(QStringLiteral("systemctl"), {QStringLiteral("reboot")}, {}, false).started;
}

bool ServiceManagerPower::shutdown()
{
    return Processes::run(QStringLiteral("systemctl"), {QStringLiteral("poweroff")}, {}, false).started;
}
