#pragma once

#include "sending/SoundOutput.h"

#include <QList>

#include <vector>

// A sound output that plays nothing: it records what is written and reports a
// buffer taken, started or finished only when the test says so.
class ScriptedSoundOutput : public SoundOutput
{
public:
    struct Written {
        quint64 tag;
        std::vector<audio_sample> samples;
    };

    int openResult = 0;
    int openCalls = 0;
    bool opened = false;
    QList<Written> written;        // every buffer ever written, in order
    QList<quint64> pending;        // written, not yet finished or dropped
    QList<quint64> startedTags;    // pending buffers whose sound has started
    QList<quint64> discarded;
    // Every setConditions, in order; nullptr where conditions were ended.
    QList<std::shared_ptr<ConditionsMixer>> conditions;

    int open(const tWAVEFORMATEX &) override
    {
        ++openCalls;
        opened = openResult == 0;
        return openResult;
    }
    bool isOpen() const override { return opened; }
    bool write(quint64 tag, const audio_sample *samples, int count) override
    {
        if (!opened)
            return false;
        written.append({tag, std::vector<audio_sample>(samples, samples + count)});
        pending.append(tag);
        return true;
    }
    QList<quint64> discardPending() override
    {
        QList<quint64> dropped;
        for (const quint64 tag : pending) {
            if (!startedTags.contains(tag))
                dropped.append(tag);
        }
        for (const quint64 tag : dropped)
            pending.removeAll(tag);
        discarded += dropped;
        return dropped;
    }
    void setConditions(std::shared_ptr<ConditionsMixer> mixer) override { conditions.append(std::move(mixer)); }
    void close() override
    {
        opened = false;
        pending.clear();
        startedTags.clear();
    }

    quint64 lastTag() const { return written.isEmpty() ? 0 : written.last().tag; }

    // The device's reports, as the test scripts them.
    void take(quint64 tag) { emit bufferTaken(tag); }
    void start(quint64 tag)
    {
        startedTags.append(tag);
        emit started(tag);
    }
    void finish(quint64 tag)
    {
        pending.removeAll(tag);
        startedTags.removeAll(tag);
        emit finished(tag);
    }
    // Takes, starts and finishes the oldest pending buffer.
    void playOldest()
    {
        const quint64 tag = pending.first();
        take(tag);
        start(tag);
        finish(tag);
    }
    void lose()
    {
        pending.clear();
        startedTags.clear();
        opened = false;
        emit deviceLost(1);
    }
};
