#pragma once

#include "framework/Seam.h"

#include <QString>

// The one-line question box (caption, prompt, proposed answer). Answers the
// text typed, or nothing when the user gave up.
class InputBoxService
{
public:
    virtual ~InputBoxService() = default;
    virtual QString ask(const QString &caption, const QString &prompt, const QString &proposal, bool *ok) = 0;
};
template <> InputBoxService &Seam<InputBoxService>::fallback();

namespace InputBox {
// The answer; on cancel the proposal comes back unchanged, as the
// program's other boxes of this kind do, and ok (when given) is false.
QString ask(const QString &caption, const QString &prompt, const QString &proposal, bool *ok = nullptr);
} // namespace InputBox

class WidgetInputBoxService : public InputBoxService
{
public:
    QString ask(const QString &caption, const QString &prompt, const QString &proposal, bool *ok) override;
};
