#pragma once

#include <QIODevice>

#include <memory>

class ToneQueue;

// The endless stream the sound device pulls from: the queued buffers back to
// back, silence wherever nothing is queued. A read always returns the whole
// amount asked, so the device never sees an end or an underrun, and the gaps
// between buffers are exactly the silences rendered into them.
//
// Open it Unbuffered: QIODevice's own read-ahead would move the stream
// position away from what the device has really taken.
class ToneStream : public QIODevice
{
    Q_OBJECT

public:
    explicit ToneStream(std::shared_ptr<ToneQueue> queue, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    std::shared_ptr<ToneQueue> m_queue;
};
