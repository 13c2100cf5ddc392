#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Measures how responsive the event loop stays: a 10 ms timer notes the
// longest time between two of its ticks. A handler that blocks the window,
// a wait inside the sound output or a long load all show up as one long gap.
class EventLoopWatch : public QObject
{
public:
    explicit EventLoopWatch(QObject *parent = nullptr) : QObject(parent)
    {
        m_timer.setInterval(10);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &EventLoopWatch::tick);
    }

    void start()
    {
        m_longestMs = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }

    // The longest gap so far, the time since the last tick included, so that a
    // block still going on when it is asked counts as well.
    qint64 longestGapMs() const
    {
        if (!m_clock.isValid())
            return 0;
        return std::max(m_longestMs, m_clock.elapsed() - m_last);
    }

private:
    void tick()
    {
        const qint64 now = m_clock.elapsed();
        m_longestMs = std::max(m_longestMs, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestMs = 0;
};
