#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QMutex>
#include <QObject>
#include <QTimer>
#include <QWaitCondition>

#include <memory>

class QAudioSink;
class ToneQueue;
class ToneStream;

// Runs the one long-lived sound stream on a thread of its own, so that a sound
// server that hangs blocks this thread and never the window. It starts the
// sink, watches how far it has played and tears it down again.
class ToneSinkWorker : public QObject
{
    Q_OBJECT

public:
    // The answer to starting the sink. The owner waits for it only a while;
    // when it gives up, it sets abandoned and the worker, should the start ever
    // return, cleans up after itself.
    struct StartAnswer {
        QMutex mutex;
        QWaitCondition answered;
        bool done = false;
        bool abandoned = false;
        int code = 0;
    };

    ToneSinkWorker(std::shared_ptr<ToneQueue> queue, std::shared_ptr<StartAnswer> answer);
    ~ToneSinkWorker() override;

    // Both run on the worker's thread.
    void startSink(const QAudioDevice &device, const QAudioFormat &format);
    // Stops and deletes the sink, then ends the thread once its event loop has
    // run a little longer: destroying a PulseAudio stream and leaving at once
    // can crash inside libpulse.
    void shutDown();

private:
    void poll();
    void stateChanged(QAudio::State state);
    void releaseSink();
    void reportLost();

    std::shared_ptr<ToneQueue> m_queue;
    std::shared_ptr<StartAnswer> m_answer;
    QAudioSink *m_sink = nullptr;
    ToneStream *m_stream = nullptr;
    QTimer m_poll;
};
