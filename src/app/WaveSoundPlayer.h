#pragma once

#include "framework/SoundPlayer.h"

#include <QObject>

// Wave files through the multimedia module; each sound lives until it ends.
class WaveSoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    void play(const QString &waveFile) override;
};
