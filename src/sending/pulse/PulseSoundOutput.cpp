#include "PulseSoundOutput.h"

#include "PulseLink.h"

#include <QPointer>

namespace {

constexpr qint64 kBytesPerMs = 16;

// The next buffer is asked for once the queued sound ends less than this far
// ahead of what is heard: rendering stays well over a second ahead, so that a
// window kept waiting by a busy machine for up to a second changes nothing
// that is heard. What Stop leaves to play is not more for it: only the part
// within the output's short read-ahead is kept, the rest is dropped.
constexpr qint64 kHeardLead = 1400 * kBytesPerMs;
// ...or, whatever is heard, once the output has read to within this much of
// the end of the queue, so that it never runs dry.
constexpr qint64 kReaderLead = 200 * kBytesPerMs;

// A local server answers within milliseconds; one that has not answered by
// then is reported as not answering, and tried again in the background.
constexpr int kOpenWaitMs = 400;

bool isOurFormat(const tWAVEFORMATEX &f)
{
    const tWAVEFORMATEX pcm = MakePcmFormat();
    return f.wFormatTag == pcm.wFormatTag && f.nChannels == pcm.nChannels
        && f.nSamplesPerSec == pcm.nSamplesPerSec && f.nAvgBytesPerSec == pcm.nAvgBytesPerSec
        && f.nBlockAlign == pcm.nBlockAlign && f.wBitsPerSample == pcm.wBitsPerSample;
}

} // namespace

PulseSoundOutput::PulseSoundOutput(QObject *parent)
    : SoundOutput(parent), m_queue(kHeardLead, kReaderLead)
{
    m_queue.setNotifier([this] {
        QMetaObject::invokeMethod(this, &PulseSoundOutput::deliverEvents, Qt::QueuedConnection);
    });
    m_link = std::make_unique<PulseLink>(m_queue);
}

PulseSoundOutput::~PulseSoundOutput() = default;

int PulseSoundOutput::open(const tWAVEFORMATEX &format)
{
    if (!isOurFormat(format))
        return WAVERR_BADFORMAT;
    if (isOpen())
        return MMSYSERR_ALLOCATED;
    // After a loss or a close the queue takes buffers again; they play once
    // the connection stands.
    if (!m_queue.isAccepting())
        m_queue.reopen();
    return m_link->connect(kOpenWaitMs);
}

bool PulseSoundOutput::isOpen() const
{
    return m_queue.isAccepting() && m_link->isConnected();
}

bool PulseSoundOutput::write(quint64 tag, const audio_sample *samples, int count)
{
    if (count < 0 || !m_link->isConnected())
        return false;
    if (!m_queue.write(tag, reinterpret_cast<const char *>(samples), qint64(count) * qint64(sizeof(audio_sample))))
        return false;
    m_link->wake();
    return true;
}

QList<quint64> PulseSoundOutput::discardPending()
{
    return m_queue.discardPending();
}

void PulseSoundOutput::close()
{
    m_queue.shutDown();
    m_link->disconnect();
}

void PulseSoundOutput::setConditions(std::shared_ptr<ConditionsMixer> mixer)
{
    m_link->setMixer(std::move(mixer));
}

void PulseSoundOutput::deliverEvents()
{
    // One event at a time: a slot may discard or close, and nothing may be
    // signalled for what it dropped.
    QPointer<PulseSoundOutput> self(this);
    while (self) {
        const std::optional<ToneQueue::Event> event = m_queue.takeEvent();
        if (!event)
            return;
        switch (event->kind) {
        case ToneQueue::Event::Taken:
            emit bufferTaken(event->tag);
            break;
        case ToneQueue::Event::Started:
            emit started(event->tag);
            break;
        case ToneQueue::Event::Finished:
            emit finished(event->tag);
            break;
        case ToneQueue::Event::Lost:
            emit deviceLost(event->code);
            break;
        }
    }
}
