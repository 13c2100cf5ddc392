#pragma once

#include "keying/AudioTypes.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// The most sample bytes a WAV file can hold: its RIFF sizes are 32-bit.
inline constexpr qint64 kMaxWavDataBytes = 0xFFFFFFFFLL - 36;

// The RIFF header of a PCM WAV file: 8000 Hz, mono, 16-bit.
QByteArray wavHeader(qint64 sampleBytes);

// Writes a WAV file as the samples come, without holding them in memory. The
// file appears under its name only when commit() succeeds; until then, and on
// any failure, whatever stood there before is left as it was.
class WavWriter
{
public:
    explicit WavWriter(const QString &path);

    bool open();
    bool append(const audio_sample *samples, int count);
    bool commit();
    QString errorString() const;

private:
    QSaveFile m_file;
    qint64 m_dataBytes = 0;
    QString m_error;
};
