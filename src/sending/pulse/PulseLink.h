#pragma once

#include "PulseTimer.h"

#include <QByteArray>
#include <QtGlobal>

#include <pulse/def.h>

#include <atomic>
#include <cstddef>
#include <memory>

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;

class ConditionsMixer;
class ToneQueue;

// The connection to the sound server (PulseAudio, or PipeWire's PulseAudio
// server) behind the sound output. Everything that talks to the server runs on
// libpulse's own thread and never waits for an answer, so a server that hangs
// cannot hold up the window; the owner's calls only take the loop's lock for a
// moment.
//
// Once asked to connect it stays connected for as long as it can: a failed or
// lost connection is tried again a few times a second, in the background,
// until a server answers. A stream runs only while something is queued: it is
// made when a buffer comes and ended once the queue has been heard out, so the
// device can sleep and the window uses no time while nothing is sent. Each new
// stream goes to whatever output is the default at that moment.
class PulseLink
{
public:
    explicit PulseLink(ToneQueue &queue);
    ~PulseLink();
    PulseLink(const PulseLink &) = delete;
    PulseLink &operator=(const PulseLink &) = delete;

    // Connects, or tries again now, waiting at most waitMs for the server to
    // answer. Returns 0 when connected, MMSYSERR_NODRIVER when there is no
    // server, MMSYSERR_ERROR when one took the connection and has not answered.
    // Trying goes on in the background either way.
    int connect(int waitMs);
    bool isConnected() const { return m_connected.load(); }
    // Something has been queued: make sure a stream is there to play it.
    void wake();
    // Conditions mixed into the stream from the next block on; while a mixer
    // is set the stream runs even with nothing queued. nullptr lets the one
    // set fade out first.
    void setMixer(std::shared_ptr<ConditionsMixer> mixer);
    // Ends the stream and the connection, and stops trying to connect.
    void disconnect();

private:
    enum class State { Off, Connecting, Waiting, Ready };

    void shutDown();
    void startAttempt();
    void attemptFailed(bool timedOut);
    void connectionLost();
    void dropContext();
    void releaseSpentContext();
    void ensureStream();
    void dropStream();
    void streamFailed(int code);
    void fillStream(qint64 slack);
    void commit(qint64 upTo);
    void refreshAhead();
    bool sendAt(qint64 position, const char *bytes, std::size_t count);
    void poll();
    void refreshTiming();
    void connectTimedOut();
    void streamTimedOut();
    void waitOver();
    bool mixerSounding() const;

    static void onContextState(pa_context *context, void *self);
    static void onStreamState(pa_stream *stream, void *self);
    static void onWritable(pa_stream *stream, std::size_t bytes, void *self);

    ToneQueue &m_queue;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_clock = nullptr;
    pa_context *m_context = nullptr;
    pa_context *m_spentContext = nullptr;  // given up, let go of on the next attempt
    pa_stream *m_stream = nullptr;
    State m_state = State::Off;
    std::atomic<bool> m_connected{false};
    bool m_lastAttemptTimedOut = false;
    bool m_waitOver = false;
    bool m_streamPlaying = false;    // its played time has begun to run
    pa_usec_t m_attemptStart = 0;
    pa_usec_t m_idleSince = 0;       // 0 while the queue holds something
    pa_operation *m_timingQuery = nullptr;
    pa_usec_t m_lastTimingQuery = 0;
    qint64 m_streamBase = 0;         // queue position of the stream's first byte
    std::shared_ptr<ConditionsMixer> m_mixer;  // used on the loop's thread only

    // The server holds the stream far ahead of what is heard, so that a stall
    // of this thread or of the window changes nothing that is heard. Only the
    // part close to what is heard is read from the queue (and mixed for good);
    // what lies beyond is what the queue will give there if nothing changes,
    // sent early and sent again where a change makes it differ.
    qint64 m_written = 0;            // queue position up to which the server holds the stream
    QByteArray m_ahead;              // what it holds from the queue's read position on
    std::unique_ptr<ConditionsMixer> m_aheadMixer;  // the mixer's copy, up to m_written
    quint64 m_seenChanges = 0;       // the queue's count of changes m_ahead was made at
    bool m_aheadStale = true;

    PulseTimer m_retry{[this] { startAttempt(); }};
    PulseTimer m_connectDeadline{[this] { connectTimedOut(); }};
    PulseTimer m_streamDeadline{[this] { streamTimedOut(); }};
    PulseTimer m_poll{[this] { poll(); }};
    PulseTimer m_wait{[this] { waitOver(); }};
};
