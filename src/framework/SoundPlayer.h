#pragma once

#include "framework/Seam.h"

#include <QString>

// Plays a wave file without waiting for it. The windowed program installs
// its player at start; without one (command line, tests) nothing sounds.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &waveFile) = 0;
};
template <> SoundPlayer &Seam<SoundPlayer>::fallback();

namespace Sounds {
void play(const QString &waveFile);
}
