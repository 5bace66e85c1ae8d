#pragma once

#include "framework/Seam.h"

// Restarting or shutting down the computer after an orderly exit. The
// request is handed to the system's service manager; when it refuses, the
// program has ended normally all the same.
class SystemPower
{
public:
    virtual ~SystemPower() = default;
    virtual bool restart() = 0;
    virtual bool shutdown() = 0;
};
template <> SystemPower &Seam<SystemPower>::fallback();

// Asks the service manager ("systemctl reboot" / "systemctl poweroff") through
// the process runner, so tests that replace the runner never reach it.
class ServiceManagerPower : public SystemPower
{
public:
    bool restart() override;
    bool shutdown() override;
};
