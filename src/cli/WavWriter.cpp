#include "WavWriter.h"

#include <QSaveFile>
#include <QtEndian>

namespace {

void appendLE32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLE16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray WavHeader(qint64 sampleBytes)
{
    QByteArray header;
    header.append("RIFF");
    appendLE32(header, static_cast<quint32>(36 + sampleBytes));
    header.append("WAVEfmt ");
    appendLE32(header, 16);
    appendLE16(header, 1);                      // PCM
    appendLE16(header, 1);                      // mono
    appendLE32(header, kSampleRate);
    appendLE32(header, kSampleRate * 2);        // bytes per second
    appendLE16(header, 2);                      // block alignment
    appendLE16(header, 16);                     // bits per sample
    header.append("data");
    appendLE32(header, static_cast<quint32>(sampleBytes));
    return header;
}

bool WriteWavFile(const QString &path, const QByteArray &samples, QString *errorText)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(WavHeader(samples.size())) >= 0
        && file.write(samples) == samples.size()
        && file.commit();
    if (!written && errorText)
        *errorText = file.errorString();
    return written;
}
