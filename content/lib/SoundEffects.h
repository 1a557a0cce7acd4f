// The places' sound effects (a miaow, birds, a bell, an engine...),
// synthesised at the demo's rate and already at their level.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/AudioDecoder.h"

// The names `SoundEffect` knows.
const QStringList& SoundEffectNames();
// The effect called `name`; an empty sound for an unknown name.
TSoundData SoundEffect(const QString& name);
