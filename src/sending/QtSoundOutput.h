#pragma once

#include "SoundOutput.h"

#include <memory>

class QThread;
class ToneQueue;
class ToneSinkWorker;

// The sound output on Qt Multimedia. One pull-mode QAudioSink runs for as long
// as the output is open and plays an endless stream: the written buffers back
// to back, silence in between. Handing buffers over this way adds nothing to
// the gaps rendered into them, which a sink restarted or refilled per
// character does. The sink lives on a thread of its own, so a sound server
// that hangs cannot freeze the window; the played position it reports is
// turned into the started and finished signals here, on the owner's thread.
class QtSoundOutput : public SoundOutput
{
    Q_OBJECT

public:
    explicit QtSoundOutput(QObject *parent = nullptr);
    ~QtSoundOutput() override;

    int open(const tWAVEFORMATEX &format) override;
    bool isOpen() const override;
    bool write(quint64 tag, const audio_sample *samples, int count) override;
    QList<quint64> discardPending() override;
    void close() override;

private:
    void deliverEvents();
    void releaseWorker(int waitMs);

    std::shared_ptr<ToneQueue> m_queue;
    QThread *m_thread = nullptr;
    ToneSinkWorker *m_worker = nullptr;
};
