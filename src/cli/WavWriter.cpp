#include "WavWriter.h"

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

QByteArray wavHeader(qint64 sampleBytes)
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

WavWriter::WavWriter(const QString &path)
    : m_file(path)
{
}

bool WavWriter::open()
{
    // The sizes are written once the samples are all there.
    return m_file.open(QIODevice::WriteOnly) && m_file.write(wavHeader(0)) == 44;
}

bool WavWriter::append(const audio_sample *samples, int count)
{
    const qint64 bytes = qint64(count) * 2;
    if (m_dataBytes + bytes > kMaxWavDataBytes) {
        m_error = QStringLiteral("the audio is longer than a WAV file can hold");
        m_file.cancelWriting();
        return false;
    }
    m_dataBytes += bytes;
    return m_file.write(reinterpret_cast<const char *>(samples), bytes) == bytes;
}

bool WavWriter::commit()
{
    return m_file.seek(0) && m_file.write(wavHeader(m_dataBytes)) == 44 && m_file.commit();
}

QString WavWriter::errorString() const
{
    return m_error.isEmpty() ? m_file.errorString() : m_error;
}
