#pragma once

#include "framework/Seam.h"

#include <QString>

// Where the progress texts of long operations go: the opening window's status
// bar while it stands, standard output on the command line, nowhere otherwise.
class ProgressTarget
{
public:
    virtual ~ProgressTarget() = default;
    virtual void showProgress(const QString &text) = 0;
};
template <> ProgressTarget &Seam<ProgressTarget>::fallback();

namespace Progress {
void show(const QString &text);
}

class StdoutProgressTarget : public ProgressTarget
{
public:
    void showProgress(const QString &text) override;
};
