#include "QtSoundOutput.h"

#include "ToneQueue.h"
#include "ToneSinkWorker.h"

#include <QAudioFormat>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>

namespace {

constexpr qint64 kBytesPerMs = 16;

// The next buffer is asked for once the queued sound ends less than this far
// ahead of what is heard: enough to render a character and cover the sink's
// own read-ahead (100-145 ms on PulseAudio), little enough that a Stop leaves
// at most one character to play out.
constexpr qint64 kHeardLead = 250 * kBytesPerMs;
// ...or, whatever is heard, once the sink has read to within this much of the
// end of the queue, so that a sink reading further ahead never runs dry.
constexpr qint64 kReaderLead = 80 * kBytesPerMs;

// A sound server that does not answer within this time is taken as broken;
// PipeWire without its session can block the start of a stream for good.
constexpr int kStartWaitMs = 2500;
// Stopping takes the settle time of the worker plus whatever the server needs.
constexpr int kStopWaitMs = 2000;

bool isOurFormat(const tWAVEFORMATEX &f)
{
    const tWAVEFORMATEX pcm = MakePcmFormat();
    return f.wFormatTag == pcm.wFormatTag && f.nChannels == pcm.nChannels
        && f.nSamplesPerSec == pcm.nSamplesPerSec && f.nAvgBytesPerSec == pcm.nAvgBytesPerSec
        && f.nBlockAlign == pcm.nBlockAlign && f.wBitsPerSample == pcm.wBitsPerSample;
}

} // namespace

QtSoundOutput::QtSoundOutput(QObject *parent) : SoundOutput(parent)
{
}

QtSoundOutput::~QtSoundOutput()
{
    close();
}

int QtSoundOutput::open(const tWAVEFORMATEX &format)
{
    if (isOpen())
        return MMSYSERR_ALLOCATED;
    releaseWorker(kStopWaitMs);  // what is left of a device that was lost
    if (!isOurFormat(format))
        return WAVERR_BADFORMAT;

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return MMSYSERR_NODRIVER;
    QAudioFormat audioFormat;
    audioFormat.setSampleRate(int(format.nSamplesPerSec));
    audioFormat.setChannelCount(format.nChannels);
    audioFormat.setSampleFormat(QAudioFormat::Int16);

    m_queue = std::make_shared<ToneQueue>(kHeardLead, kReaderLead);
    m_queue->setNotifier([this] {
        QMetaObject::invokeMethod(this, &QtSoundOutput::deliverEvents, Qt::QueuedConnection);
    });
    auto answer = std::make_shared<ToneSinkWorker::StartAnswer>();
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("sound output"));
    m_worker = new ToneSinkWorker(m_queue, answer);
    m_worker->moveToThread(m_thread);
    m_thread->start();
    ToneSinkWorker *worker = m_worker;
    QMetaObject::invokeMethod(
        m_worker, [worker, device, audioFormat] { worker->startSink(device, audioFormat); },
        Qt::QueuedConnection);

    int code = MMSYSERR_ERROR;
    bool abandoned = false;
    {
        QMutexLocker lock(&answer->mutex);
        QDeadlineTimer deadline(kStartWaitMs);
        while (!answer->done && answer->answered.wait(&answer->mutex, deadline)) {
        }
        if (answer->done)
            code = answer->code;
        else
            abandoned = answer->abandoned = true;
    }
    if (code != MMSYSERR_NOERROR) {
        m_queue->shutDown();
        // A hanging worker will stop by itself if its start ever returns;
        // waiting for it here would only freeze the window longer.
        releaseWorker(abandoned ? 0 : kStopWaitMs);
        m_queue.reset();
    }
    return code;
}

bool QtSoundOutput::isOpen() const
{
    return m_queue && m_queue->isAccepting();
}

bool QtSoundOutput::write(quint64 tag, const audio_sample *samples, int count)
{
    if (!m_queue || count < 0)
        return false;
    return m_queue->write(tag, reinterpret_cast<const char *>(samples),
                          qint64(count) * qint64(sizeof(audio_sample)));
}

QList<quint64> QtSoundOutput::discardPending()
{
    return m_queue ? m_queue->discardPending() : QList<quint64>();
}

void QtSoundOutput::close()
{
    if (m_queue)
        m_queue->shutDown();
    releaseWorker(kStopWaitMs);
    m_queue.reset();
}

void QtSoundOutput::deliverEvents()
{
    // One event at a time: a slot may discard or close, and nothing may be
    // signalled for what it dropped.
    QPointer<QtSoundOutput> self(this);
    while (self && m_queue) {
        const std::optional<ToneQueue::Event> event = m_queue->takeEvent();
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
            releaseWorker(kStopWaitMs);
            emit deviceLost(event->code);
            break;
        }
    }
}

void QtSoundOutput::releaseWorker(int waitMs)
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(m_worker, &ToneSinkWorker::shutDown, Qt::QueuedConnection);
    if (m_thread->wait(QDeadlineTimer(waitMs))) {
        delete m_worker;
        delete m_thread;
    } else {
        // The sound server hangs and holds the thread. Leave the thread to
        // clean up after itself if it ever comes back; the window goes on.
        connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    }
    m_worker = nullptr;
    m_thread = nullptr;
}
