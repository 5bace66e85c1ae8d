#include "framework/ComputerUser.h"

#include <QtGlobal>

QString ComputerUser::name()
{
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString value = qEnvironmentVariable(variable).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return {};
}
