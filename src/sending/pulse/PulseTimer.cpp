#include "PulseTimer.h"

#include <pulse/pulseaudio.h>

void PulseTimer::start(int ms)
{
    const pa_usec_t at = pa_rtclock_now() + pa_usec_t(ms) * PA_USEC_PER_MSEC;
    if (m_event)
        pa_context_rttime_restart(m_clock, m_event, at);
    else
        m_event = pa_context_rttime_new(m_clock, at, &PulseTimer::onTimer, this);
}

void PulseTimer::stop()
{
    if (m_event)
        pa_context_rttime_restart(m_clock, m_event, PA_USEC_INVALID);
}

void PulseTimer::release(pa_mainloop_api *api)
{
    if (m_event)
        api->time_free(m_event);
    m_event = nullptr;
}

void PulseTimer::onTimer(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    static_cast<PulseTimer *>(self)->m_fire();
}
