#include "PulseLink.h"

#include "sending/ToneQueue.h"
#include "sending/WaveFormat.h"
#include "conditions/ConditionsMixer.h"

#include <pulse/pulseaudio.h>

namespace {

// How often a failed or lost connection is tried again.
constexpr int kRetryMs = 250;
// A server that takes the connection but has not answered by then is taken
// as broken.
constexpr int kConnectTimeoutMs = 2000;

} // namespace

PulseLink::PulseLink(ToneQueue &queue) : m_queue(queue)
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return;
    pa_threaded_mainloop_set_name(m_loop, "sound output");
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
        return;
    }
    // A context that never connects, only to put the timers on the monotonic
    // clock: they must keep running while no server is there.
    pa_threaded_mainloop_lock(m_loop);
    m_clock = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "KEYLARK");
    pa_threaded_mainloop_unlock(m_loop);
    for (PulseTimer *timer : {&m_retry, &m_connectDeadline, &m_streamDeadline, &m_poll, &m_wait})
        timer->bind(m_clock);
    if (!m_clock) {
        pa_threaded_mainloop_stop(m_loop);
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

PulseLink::~PulseLink()
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_lock(m_loop);
    shutDown();
    for (PulseTimer *timer : {&m_retry, &m_connectDeadline, &m_streamDeadline, &m_poll, &m_wait})
        timer->release(pa_threaded_mainloop_get_api(m_loop));
    pa_context_unref(m_clock);
    pa_threaded_mainloop_unlock(m_loop);
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

int PulseLink::connect(int waitMs)
{
    if (!m_loop)
        return MMSYSERR_NODRIVER;
    pa_threaded_mainloop_lock(m_loop);
    // After a refusal the server may well be back by now; a server that took
    // the last connection and never answered is left to the background tries,
    // so that Start does not wait on it again.
    if (m_state == State::Off || (m_state == State::Waiting && !m_lastAttemptTimedOut)) {
        m_retry.stop();
        startAttempt();
    }
    if (m_state == State::Connecting) {
        const pa_usec_t waited = pa_rtclock_now() - m_attemptStart;
        if (waited < pa_usec_t(waitMs) * PA_USEC_PER_MSEC) {
            m_waitOver = false;
            m_wait.start(waitMs - int(waited / PA_USEC_PER_MSEC));
            while (m_state == State::Connecting && !m_waitOver)
                pa_threaded_mainloop_wait(m_loop);
            m_wait.stop();
        }
    }
    int code = MMSYSERR_NOERROR;
    if (m_state == State::Connecting || (m_state == State::Waiting && m_lastAttemptTimedOut))
        code = MMSYSERR_ERROR;
    else if (m_state != State::Ready)
        code = MMSYSERR_NODRIVER;
    pa_threaded_mainloop_unlock(m_loop);
    return code;
}

void PulseLink::wake()
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_lock(m_loop);
    ensureStream();
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseLink::setMixer(std::shared_ptr<ConditionsMixer> mixer)
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_lock(m_loop);
    if (mixer) {
        m_mixer = std::move(mixer);
        ensureStream();
    } else if (m_mixer) {
        // Let go of once faded out and heard (see poll).
        m_mixer->fadeOut();
    }
    m_aheadStale = true;
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseLink::disconnect()
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_lock(m_loop);
    shutDown();
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseLink::shutDown()
{
    dropStream();
    for (PulseTimer *timer : {&m_retry, &m_connectDeadline, &m_wait})
        timer->stop();
    dropContext();
    releaseSpentContext();
    m_state = State::Off;
    m_connected = false;
    m_lastAttemptTimedOut = false;
    pa_threaded_mainloop_signal(m_loop, 0);
}

// ---- The connection --------------------------------------------------------

void PulseLink::startAttempt()
{
    releaseSpentContext();
    dropContext();
    m_state = State::Connecting;
    m_attemptStart = pa_rtclock_now();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "KEYLARK");
    if (!m_context) {
        attemptFailed(false);
        return;
    }
    pa_context_set_state_callback(m_context, &PulseLink::onContextState, this);
    m_connectDeadline.start(kConnectTimeoutMs);
    // Never start a server of our own: trying a few times a second would start
    // one each time.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0
        && m_state == State::Connecting)
        attemptFailed(false);
}

void PulseLink::attemptFailed(bool timedOut)
{
    m_connectDeadline.stop();
    dropContext();
    m_state = State::Waiting;
    m_lastAttemptTimedOut = timedOut;
    m_retry.start(kRetryMs);
    pa_threaded_mainloop_signal(m_loop, 0);
}

void PulseLink::connectionLost()
{
    // The run it played ends with the stream: a server that comes back is not
    // to hear the band's noise.
    dropStream();
    m_connected = false;
    // The server is gone; to the program this is a missing driver.
    m_queue.markLost(MMSYSERR_NODRIVER);
    attemptFailed(false);
}

void PulseLink::connectTimedOut()
{
    if (m_state == State::Connecting)
        attemptFailed(true);
}

void PulseLink::dropContext()
{
    if (!m_context)
        return;
    // Called from the context's own callbacks too: it is let go of only on
    // the next attempt, when libpulse has surely finished with it.
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    releaseSpentContext();
    m_spentContext = m_context;
    m_context = nullptr;
}

void PulseLink::releaseSpentContext()
{
    if (m_spentContext)
        pa_context_unref(m_spentContext);
    m_spentContext = nullptr;
}

void PulseLink::onContextState(pa_context *context, void *self)
{
    auto *link = static_cast<PulseLink *>(self);
    if (context != link->m_context)
        return;
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        if (link->m_state == State::Connecting) {
            link->m_connectDeadline.stop();
            link->m_state = State::Ready;
            link->m_lastAttemptTimedOut = false;
            link->m_connected = true;
            pa_threaded_mainloop_signal(link->m_loop, 0);
            link->ensureStream();
        }
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        if (link->m_state == State::Connecting)
            link->attemptFailed(false);
        else if (link->m_state == State::Ready)
            link->connectionLost();
        break;
    default:
        break;
    }
}

void PulseLink::waitOver()
{
    m_waitOver = true;
    pa_threaded_mainloop_signal(m_loop, 0);
}
