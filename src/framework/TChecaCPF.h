#pragma once

#include <QString>

// Check digits of a person's taxpayer number, as typed in its box
// ("999999999-99" or eleven digits).
class TChecaCPF
{
public:
    bool Valida(const QString &text) const;
};
