// A wave file in Yamaha ADPCM: a codec libsndfile does not read, so the game
// decodes it through FFmpeg. Each nibble carries the decoder's state on to
// the next, so nothing inside the stream marks a place to start decoding.
#pragma once

#include <QString>

#include "platform/AudioDecoder.h"

// Mono or stereo; throws EInOutError naming the file when it cannot be written.
void WriteYamahaWave(const QString& path, const TSoundData& sound);
