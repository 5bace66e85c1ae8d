#pragma once

#include <QString>

// Check digits of a company's taxpayer number, with or without its
// punctuation ("99.999.999/9999-99").
class TChecaCGC
{
public:
    bool Valida(const QString &text) const;
};
