#pragma once

#include "framework/ProgressText.h"

#include <QStringList>

// Keeps every progress text shown while it is installed (empty ones too:
// they clear the status bar).
class RecordedProgress : public ProgressTarget
{
public:
    RecordedProgress() : seam_(*this) {}
    void showProgress(const QString &text) override { texts << text; }
    QStringList nonEmpty() const
    {
        QStringList list;
        for (const QString &t : texts)
            if (!t.isEmpty())
                list << t;
        return list;
    }
    QStringList texts;

private:
    ScopedSeam<ProgressTarget> seam_;
};
