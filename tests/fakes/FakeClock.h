#pragma once

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPointer>
#include <QTimerEvent>

#include <algorithm>
#include <map>

// The main thread's event dispatcher in a test: timers fire only when the test
// moves the clock on, each at the moment it is due, so a timing constant can be
// checked to the millisecond without waiting. Posted events are delivered by
// processEvents(); there are no socket notifiers.
//
// Install it before the application object exists:
//     QCoreApplication::setEventDispatcher(new FakeClock);
class FakeClock : public QAbstractEventDispatcher
{
public:
    FakeClock() { s_instance = this; }
    ~FakeClock() override { s_instance = nullptr; }
    static FakeClock *instance() { return s_instance; }

    qint64 now() const { return m_now; }

    // Moves the clock on by ms, firing every timer that falls due on the way.
    void advance(qint64 ms)
    {
        const qint64 target = m_now + ms;
        for (;;) {
            auto due = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
                if (it->second.deadline <= target && (due == m_timers.end() || it->second.deadline < due->second.deadline))
                    due = it;
            }
            if (due == m_timers.end())
                break;
            m_now = due->second.deadline;
            due->second.deadline += std::max<qint64>(due->second.interval, 1);
            const int id = due->first;
            QPointer<QObject> object = due->second.object;
            QTimerEvent event(id);
            if (object)
                QCoreApplication::sendEvent(object, &event);
        }
        m_now = target;
    }

    bool processEvents(QEventLoop::ProcessEventsFlags) override
    {
        QCoreApplication::sendPostedEvents();
        return false;
    }
    void registerSocketNotifier(QSocketNotifier *) override {}
    void unregisterSocketNotifier(QSocketNotifier *) override {}
    void registerTimer(int id, qint64 interval, Qt::TimerType type, QObject *object) override
    {
        m_timers[id] = {interval, type, object, m_now + interval};
    }
    bool unregisterTimer(int id) override { return m_timers.erase(id) > 0; }
    bool unregisterTimers(QObject *object) override
    {
        const auto before = m_timers.size();
        std::erase_if(m_timers, [object](const auto &entry) { return entry.second.object == object; });
        return m_timers.size() != before;
    }
    QList<TimerInfo> registeredTimers(QObject *object) const override
    {
        QList<TimerInfo> list;
        for (const auto &[id, timer] : m_timers) {
            if (timer.object == object)
                list.append(TimerInfo(id, int(timer.interval), timer.type));
        }
        return list;
    }
    int remainingTime(int id) override
    {
        const auto it = m_timers.find(id);
        return it == m_timers.end() ? -1 : int(it->second.deadline - m_now);
    }
    void wakeUp() override {}
    void interrupt() override {}

private:
    struct Timer {
        qint64 interval;
        Qt::TimerType type;
        QObject *object;
        qint64 deadline;
    };
    static inline FakeClock *s_instance = nullptr;
    std::map<int, Timer> m_timers;
    qint64 m_now = 0;
};
