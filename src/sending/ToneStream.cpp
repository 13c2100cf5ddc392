#include "ToneStream.h"

#include "ToneQueue.h"

ToneStream::ToneStream(std::shared_ptr<ToneQueue> queue, QObject *parent)
    : QIODevice(parent), m_queue(std::move(queue))
{
}

qint64 ToneStream::bytesAvailable() const
{
    // There is always more: one second of stream, if anyone asks.
    return 16000 + QIODevice::bytesAvailable();
}

qint64 ToneStream::readData(char *data, qint64 maxSize)
{
    if (maxSize <= 0)
        return 0;
    m_queue->read(data, maxSize);
    return maxSize;
}

qint64 ToneStream::writeData(const char *, qint64)
{
    return -1;
}
