#include "ToneSinkWorker.h"

#include "ToneQueue.h"
#include "ToneStream.h"
#include "WaveFormat.h"

#include <QAudioSink>
#include <QThread>

namespace {

// How often the played position is read. Short, because the on-screen events
// of a character follow from it.
constexpr int kPollMs = 4;

// After deleting the sink, PulseAudio still delivers a few callbacks to it;
// the thread must live through them.
constexpr int kSettleMs = 100;

} // namespace

ToneSinkWorker::ToneSinkWorker(std::shared_ptr<ToneQueue> queue, std::shared_ptr<StartAnswer> answer)
    : m_queue(std::move(queue)), m_answer(std::move(answer)), m_poll(this)
{
    m_poll.setTimerType(Qt::PreciseTimer);
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &ToneSinkWorker::poll);
}

ToneSinkWorker::~ToneSinkWorker()
{
    releaseSink();
}

void ToneSinkWorker::startSink(const QAudioDevice &device, const QAudioFormat &format)
{
    int code = MMSYSERR_NOERROR;
    if (!device.isFormatSupported(format)) {
        code = WAVERR_BADFORMAT;
    } else {
        m_stream = new ToneStream(m_queue, this);
        m_stream->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        // The default buffer size is kept: smaller ones stalled without error.
        m_sink = new QAudioSink(device, format, this);
        m_sink->start(m_stream);
        if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
            code = MMSYSERR_ERROR;
            releaseSink();
        } else {
            connect(m_sink, &QAudioSink::stateChanged, this, &ToneSinkWorker::stateChanged);
            m_poll.start();
        }
    }

    bool abandoned = false;
    {
        QMutexLocker lock(&m_answer->mutex);
        m_answer->done = true;
        m_answer->code = code;
        abandoned = m_answer->abandoned;
        m_answer->answered.wakeAll();
    }
    if (abandoned || code != MMSYSERR_NOERROR)
        shutDown();
}

void ToneSinkWorker::shutDown()
{
    m_poll.stop();
    releaseSink();
    QTimer::singleShot(kSettleMs, this, [this] { thread()->quit(); });
}

void ToneSinkWorker::poll()
{
    if (!m_sink)
        return;
    if (m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
        reportLost();
        return;
    }
    // processedUSecs() is the time actually played; at 8000 frames per second a
    // frame lasts 125 us and holds two bytes.
    m_queue->setHeard(m_sink->processedUSecs() / 125 * 2);
}

void ToneSinkWorker::stateChanged(QAudio::State state)
{
    if (state == QAudio::StoppedState && m_sink && m_sink->error() != QAudio::NoError)
        reportLost();
}

void ToneSinkWorker::releaseSink()
{
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        delete m_sink;
        m_sink = nullptr;
    }
    delete m_stream;
    m_stream = nullptr;
}

void ToneSinkWorker::reportLost()
{
    m_poll.stop();
    // The sound server is gone; to the program this is a missing driver.
    m_queue->markLost(MMSYSERR_NODRIVER);
}
