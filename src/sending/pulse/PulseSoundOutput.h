#pragma once

#include "sending/SoundOutput.h"
#include "sending/ToneQueue.h"

#include <memory>

class PulseLink;

// The sound output on the sound server's own client library (PulseAudio, or
// PipeWire's PulseAudio server). Each text plays as one stream: the written
// buffers back to back, silence in between, so handing buffers over adds
// nothing to the gaps rendered into them. The played position the server
// reports is turned into the started and finished signals here, on the
// owner's thread.
//
// A sound server that goes away ends what is sounding with deviceLost and is
// looked for again in the background; once one answers, the output is open
// again by itself. One that never answers makes open() fail at once instead of
// holding up the window.
class PulseSoundOutput : public SoundOutput
{
    Q_OBJECT

public:
    explicit PulseSoundOutput(QObject *parent = nullptr);
    ~PulseSoundOutput() override;

    int open(const tWAVEFORMATEX &format) override;
    bool isOpen() const override;
    bool write(quint64 tag, const audio_sample *samples, int count) override;
    QList<quint64> discardPending() override;
    void close() override;
    void setConditions(std::shared_ptr<ConditionsMixer> mixer) override;

private:
    void deliverEvents();

    ToneQueue m_queue;
    std::unique_ptr<PulseLink> m_link;  // after the queue: stops before it goes
};
