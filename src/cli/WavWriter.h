#pragma once

#include "keying/AudioTypes.h"

#include <QByteArray>
#include <QString>

// The RIFF header of a PCM WAV file: 8000 Hz, mono, 16-bit.
QByteArray WavHeader(qint64 sampleBytes);

// Writes header and samples atomically: on any failure the target is left as it
// was and errorText says why.
bool WriteWavFile(const QString &path, const QByteArray &samples, QString *errorText);
