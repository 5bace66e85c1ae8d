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
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}
