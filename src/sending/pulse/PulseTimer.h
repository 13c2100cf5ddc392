#pragma once

#include <functional>

struct pa_context;
struct pa_mainloop_api;
struct pa_time_event;
struct timeval;

// A one-shot timer on libpulse's loop, on the monotonic clock; start() again
// moves it. It runs on a context that never connects, so that it also runs
// while no server is there. Use it on the loop's thread or under its lock.
class PulseTimer
{
public:
    explicit PulseTimer(std::function<void()> fire) : m_fire(std::move(fire)) {}
    PulseTimer(const PulseTimer &) = delete;
    PulseTimer &operator=(const PulseTimer &) = delete;

    void bind(pa_context *clock) { m_clock = clock; }
    void start(int ms);
    void stop();
    // Frees the loop's event; the timer is not used again.
    void release(pa_mainloop_api *api);

private:
    static void onTimer(pa_mainloop_api *api, pa_time_event *event, const struct timeval *tv, void *self);

    std::function<void()> m_fire;
    pa_context *m_clock = nullptr;
    pa_time_event *m_event = nullptr;
};
