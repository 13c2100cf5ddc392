// The stream half of the link: made when something is queued or a mixer
// sounds, fed from the queue, polled for how far it has been heard, and let go
// of once there is nothing left to hear.
#include "PulseLink.h"

#include "sending/ToneQueue.h"
#include "sending/WaveFormat.h"
#include "conditions/ConditionsMixer.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// A server that has not set up a stream by then is taken as broken: PipeWire
// without its session manager accepts a stream and never starts it.
constexpr int kStreamTimeoutMs = 2000;
// How often the played position is read while a stream runs. Short, because
// the on-screen events of a character follow from it.
constexpr int kPollMs = 4;
// How often the server is asked where the stream has got to.
constexpr int kTimingQueryMs = 40;
// How long a stream outlives the last sound queued on it, so that a text
// following straight on does not wait for a new one.
constexpr int kLingerMs = 300;
// How far ahead of what is heard the server holds the stream: 2 s of 8000 Hz
// 16-bit mono, more than a stall of a second of this thread or of the window
// (a busy machine) can use up.
constexpr std::uint32_t kLeadBytes = 32000;
// How far ahead of what is heard the queue is read for good, mixed with the
// conditions, and no longer taken back (what Stop still lets sound). Beyond,
// what the server holds is sent again wherever it changes, which it takes
// reliably up to some 40 ms ahead of what is heard.
constexpr qint64 kCommitBytes = 150 * 16;

} // namespace

bool PulseLink::mixerSounding() const
{
    return m_mixer && !m_mixer->finished();
}

void PulseLink::ensureStream()
{
    if (m_state != State::Ready || m_stream || (m_queue.isIdle() && !mixerSounding()))
        return;
    const tWAVEFORMATEX format = MakePcmFormat();
    const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, format.nSamplesPerSec, std::uint8_t(format.nChannels)};
    m_stream = pa_stream_new(m_context, "Morse", &sampleFormat, nullptr);
    if (!m_stream) {
        streamFailed(MMSYSERR_NOMEM);
        return;
    }
    pa_stream_set_state_callback(m_stream, &PulseLink::onStreamState, this);
    pa_stream_set_write_callback(m_stream, &PulseLink::onWritable, this);
    // The stream's first byte is the queue's next unread one: whatever of the
    // last stream's silence was never heard is simply passed over.
    m_streamBase = m_queue.readPosition();
    m_written = m_streamBase;
    m_ahead.clear();
    m_aheadStale = true;
    m_streamPlaying = false;
    m_idleSince = 0;
    pa_buffer_attr attr;
    attr.maxlength = std::uint32_t(-1);
    attr.tlength = kLeadBytes;
    attr.prebuf = std::uint32_t(-1);
    // The server asks for more once a quarter of the lead has been heard.
    attr.minreq = kLeadBytes / 4;
    attr.fragsize = std::uint32_t(-1);
    // Without latency adjustment: with it, the server caps the lead it holds
    // (at some 770 ms) and takes the rest out of the device's latency.
    const auto flags = pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    m_streamDeadline.start(kStreamTimeoutMs);
    // No device named: the stream goes to the default output of the moment.
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, flags, nullptr, nullptr) < 0)
        streamFailed(MMSYSERR_ERROR);
}

// The band's conditions go with the stream: they belonged to the run it played.
void PulseLink::dropStream()
{
    m_mixer.reset();
    m_aheadMixer.reset();
    m_ahead.clear();
    m_poll.stop();
    m_streamDeadline.stop();
    if (m_timingQuery) {
        pa_operation_cancel(m_timingQuery);
        pa_operation_unref(m_timingQuery);
        m_timingQuery = nullptr;
    }
    if (!m_stream)
        return;
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
}

void PulseLink::streamFailed(int code)
{
    // The connection itself still stands; the next open takes it up again.
    dropStream();
    m_queue.markLost(code);
}

void PulseLink::streamTimedOut()
{
    if (m_stream && pa_stream_get_state(m_stream) != PA_STREAM_READY)
        streamFailed(MMSYSERR_ERROR);
}

void PulseLink::onStreamState(pa_stream *stream, void *self)
{
    auto *link = static_cast<PulseLink *>(self);
    if (stream != link->m_stream)
        return;
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        link->m_streamDeadline.stop();
        link->m_poll.start(kPollMs);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // When the whole connection goes, its own callback reports the loss.
        if (pa_context_get_state(link->m_context) == PA_CONTEXT_READY)
            link->streamFailed(MMSYSERR_NODRIVER);
        break;
    default:
        break;
    }
}

void PulseLink::onWritable(pa_stream *stream, std::size_t, void *self)
{
    auto *link = static_cast<PulseLink *>(self);
    if (stream == link->m_stream)
        link->fillStream(0);
}

void PulseLink::fillStream(qint64 slack)
{
    // The stream is kept a full lead ahead of what is heard, silence where
    // nothing is queued, so it never runs dry and never waits. It is filled
    // to that lead on every poll rather than by what the server asks for: a
    // PipeWire server counts the parts sent again as new sound, asks for less
    // and less, and would run dry (a dash split by a hole).
    if (m_aheadStale || m_queue.changes() != m_seenChanges)
        refreshAhead();
    const qint64 target = std::max(m_queue.heardPosition(), m_streamBase) + qint64(kLeadBytes);
    if (target - m_written < slack)
        return;
    while (m_written < target && m_stream) {
        void *data = nullptr;
        std::size_t count = std::size_t(target - m_written);
        if (pa_stream_begin_write(m_stream, &data, &count) < 0 || !data)
            return;
        count = std::min(count, std::size_t(target - m_written)) & ~std::size_t(1);
        if (count == 0) {
            pa_stream_cancel_write(m_stream);
            return;
        }
        char *out = static_cast<char *>(data);
        m_queue.peek(m_written, out, qint64(count));
        if (m_aheadMixer)
            m_aheadMixer->process(reinterpret_cast<audio_sample *>(out), int(count / sizeof(audio_sample)));
        m_ahead.append(out, qsizetype(count));
        const qint64 at = m_written;
        m_written += qint64(count);
        if (!sendAt(at, out, count))
            return;
    }
}

bool PulseLink::sendAt(qint64 position, const char *bytes, std::size_t count)
{
    // Every write names its place: sending a part again moves the server's
    // write position back, and the next write must not follow on from there.
    return pa_stream_write(m_stream, bytes, count, nullptr, position - m_streamBase, PA_SEEK_ABSOLUTE) == 0;
}

void PulseLink::commit(qint64 upTo)
{
    // Reads the queue for good up to upTo (never past what the server holds)
    // and mixes it; where that differs from what was sent ahead (a buffer
    // written after the queue ran dry lands here, a pitch or level of the
    // conditions changed), the server gets it again.
    std::array<char, 4096> block{};
    qint64 position = m_queue.readPosition();
    upTo = std::min(upTo, m_written);
    while (position < upTo) {
        const qint64 count = std::min<qint64>((upTo - position) & ~qint64(1), qint64(block.size()));
        if (count <= 0)
            break;
        m_queue.read(block.data(), count);
        if (m_mixer)
            m_mixer->process(reinterpret_cast<audio_sample *>(block.data()), int(count / 2));
        if (m_ahead.size() < count || std::memcmp(m_ahead.constData(), block.data(), std::size_t(count)) != 0) {
            // What follows was made from the same wrong guess: forgotten, so
            // that it is all sent again and the server's write position ends
            // where it was (a server whose write position stays back here
            // runs dry for a moment).
            sendAt(position, block.data(), std::size_t(count));
            m_ahead.clear();
            m_aheadStale = true;
        }
        m_ahead.remove(0, std::min<qsizetype>(m_ahead.size(), qsizetype(count)));
        position += count;
    }
}

void PulseLink::refreshAhead()
{
    // What lies between the queue's read position and what the server holds,
    // made again from the queue and a fresh copy of the mixer; only where it
    // differs from what was sent is it sent again.
    m_aheadStale = false;
    m_seenChanges = m_queue.changes();
    m_aheadMixer = m_mixer ? m_mixer->clone() : nullptr;
    const qint64 from = m_queue.readPosition();
    const qint64 count = m_written - from;
    if (count <= 0 || !m_stream) {
        m_ahead.clear();
        return;
    }
    QByteArray fresh(qsizetype(count), Qt::Uninitialized);
    m_queue.peek(from, fresh.data(), count);
    if (m_aheadMixer)
        m_aheadMixer->process(reinterpret_cast<audio_sample *>(fresh.data()), int(count / 2));
    const qsizetype kept = std::min(m_ahead.size(), fresh.size());
    const auto differ = std::mismatch(fresh.constData(), fresh.constData() + kept, m_ahead.constData());
    const qint64 firstDiff = qint64(differ.first - fresh.constData()) & ~qint64(1);
    if (firstDiff < count)
        sendAt(from + firstDiff, fresh.constData() + firstDiff, std::size_t(count - firstDiff));
    m_ahead = std::move(fresh);
}

void PulseLink::poll()
{
    if (!m_stream)
        return;
    refreshTiming();
    pa_usec_t played = 0;
    // At 8000 frames per second a frame lasts 125 us and holds two bytes.
    qint64 heard = m_queue.heardPosition();
    if (pa_stream_get_time(m_stream, &played) == 0 && played > 0) {
        m_streamPlaying = true;
        heard = m_streamBase + qint64(played / 125) * 2;
    }
    commit(std::max(heard, m_streamBase) + kCommitBytes);
    m_queue.setHeard(heard);
    if (m_aheadStale || m_queue.changes() != m_seenChanges)
        refreshAhead();
    // In steps of a quarter second, not a few bytes at every poll.
    fillStream(kLeadBytes / 8);
    if (m_mixer && m_mixer->finished() && m_queue.isIdle()) {
        m_mixer.reset();
        m_aheadStale = true;
    }
    if (m_queue.isIdle() && !mixerSounding()) {
        const pa_usec_t now = pa_rtclock_now();
        if (m_idleSince == 0) {
            m_idleSince = now;
        } else if (now - m_idleSince >= kLingerMs * PA_USEC_PER_MSEC) {
            // Nothing left to hear: no stream, no polling, and the server may
            // let the device sleep.
            dropStream();
            return;
        }
    } else {
        m_idleSince = 0;
    }
    m_poll.start(kPollMs);
}

void PulseLink::refreshTiming()
{
    // libpulse asks for the stream's timing by itself only every 1.5 s once
    // the stream has run a while, and between answers it extrapolates. Against
    // PipeWire that estimate fell behind the sound by 10 ms a second, so it is
    // asked for often, one question at a time.
    if (m_timingQuery) {
        if (pa_operation_get_state(m_timingQuery) == PA_OPERATION_RUNNING)
            return;
        pa_operation_unref(m_timingQuery);
        m_timingQuery = nullptr;
    }
    // Until the sound has begun, at every poll: the first character must show
    // when its sound starts, not when the next answer comes.
    const pa_usec_t now = pa_rtclock_now();
    if (m_streamPlaying && now - m_lastTimingQuery < kTimingQueryMs * PA_USEC_PER_MSEC)
        return;
    m_lastTimingQuery = now;
    m_timingQuery = pa_stream_update_timing_info(m_stream, nullptr, nullptr);
}
