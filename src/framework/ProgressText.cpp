#include "framework/ProgressText.h"

#include <cstdio>

namespace {
class SilentProgressTarget : public ProgressTarget
{
public:
    void showProgress(const QString &) override {}
};
} // namespace

template <>
ProgressTarget &Seam<ProgressTarget>::fallback()
{
    static SilentProgressTarget silent;
    return silent;
}

void Progress::show(const QString &text) { Seam<ProgressTarget>::get().showProgress(text); }

void StdoutProgressTarget::showProgress(const QString &text)
{
    // Clearing the status bar has nothing to say on a terminal.
    if (text.isEmpty())
        return;
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}
