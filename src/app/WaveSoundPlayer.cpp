#include "app/WaveSoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>

void WaveSoundPlayer::play(const QString &waveFile)
{
    auto *effect = new QSoundEffect(this);
    connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
            effect->deleteLater();
    });
    connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Ready)
            effect->play();
        else if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(waveFile));
}
