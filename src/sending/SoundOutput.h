#pragma once

#include "WaveFormat.h"
#include "keying/AudioTypes.h"

#include <QList>
#include <QObject>

#include <memory>

class ConditionsMixer;

// Where sound leaves the program: plays queued buffers of 8000 Hz mono 16-bit
// PCM back to back, with nothing added between them, and tells when each one
// is taken, starts to sound and has been heard.
//
// Every signal arrives on the thread that owns this object (the UI thread),
// never from inside a call to write() or discardPending().
class SoundOutput : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Opens the default output; returns 0 or a multimedia result code
    // (MMSYSERR_NODRIVER when there is no output device at all). It never
    // waits long on a sound server that does not answer.
    virtual int open(const tWAVEFORMATEX &format) = 0;
    // An output may become open by itself, without another open(), once a
    // sound server that was missing answers; after a loss, open() again.
    virtual bool isOpen() const = 0;

    // Queues a copy of count samples to play right after whatever is queued
    // before. tag names the buffer in the signals. Returns false when nothing
    // can be played (not open, or the device is lost); no signal follows then.
    virtual bool write(quint64 tag, const audio_sample *samples, int count) = 0;

    // Drops every queued buffer that has not begun to play and returns their
    // tags; no signal comes for them afterwards. Buffers already begun, which
    // includes one the sound server has started reading ahead of what is heard,
    // play out whole with their signals.
    virtual QList<quint64> discardPending() = 0;

    // Closes the output; pending buffers are dropped without signals.
    virtual void close() = 0;

    // The band's conditions laid over everything played from now on, the
    // silence between buffers included, which then keeps sounding while
    // nothing is queued. nullptr ends them: a mixer replaced by nothing fades
    // out. An output that cannot mix plays the buffers as they are.
    virtual void setConditions(std::shared_ptr<ConditionsMixer> mixer) { Q_UNUSED(mixer); }

signals:
    // The buffer has been taken: the caller's memory may be reused and the next
    // buffer written. Comes only while less than a short lead of sound is queued
    // ahead, so rendering stays just ahead of what is heard.
    void bufferTaken(quint64 tag);
    // The first sample of the buffer is being heard now.
    void started(quint64 tag);
    // The last sample of the buffer has been heard.
    void finished(quint64 tag);
    // The device stopped working; every pending buffer is dropped without signals.
    void deviceLost(int code);
};
