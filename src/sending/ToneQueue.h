#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>

#include <deque>
#include <functional>
#include <optional>

// The bookkeeping between the program and one endless sound stream. Buffers are
// placed back to back in the stream as the sound device reads it; where nothing
// is queued the stream is silence. From how far the device has played the
// stream (the heard position) it tells when each buffer starts and ends
// sounding, and when the next buffer is wanted.
//
// Positions are byte offsets in the stream, counted from its start. The reader
// (the sound device) runs ahead of what is heard, so a buffer is read well
// before its sound starts.
//
// Every method may be called from any thread.
class ToneQueue
{
public:
    struct Event {
        enum Kind { Taken, Started, Finished, Lost };
        Kind kind;
        quint64 tag;
        int code;   // only for Lost

        bool operator==(const Event &) const = default;
    };

    // A buffer counts as taken once its end lies less than heardLead bytes
    // ahead of what is heard, or less than readerLead bytes ahead of what the
    // device has read: the second keeps the stream from running dry when the
    // device reads further ahead than usual.
    ToneQueue(qint64 heardLead, qint64 readerLead);

    // Called, with the queue locked, whenever events become waiting while none
    // were before. It must only post a notice and return.
    void setNotifier(std::function<void()> notifier);

    // Appends a copy of the bytes; false once the queue is closed or lost.
    bool write(quint64 tag, const char *bytes, qint64 count);

    // Drops the buffers the device has not begun to read and forgets their
    // waiting events. A buffer that is partly read cannot be called back from
    // the sound server, so it plays out whole rather than as a clipped tone.
    QList<quint64> discardPending();

    // Fills exactly count bytes with the next part of the stream.
    void read(char *out, qint64 count);

    // Fills count bytes with the stream from position on, as it will be read
    // if nothing is written or dropped before: what was read stays where it
    // was, what is unread follows back to back after it. Reads nothing: a
    // device that holds sound far ahead fills its buffer from here and keeps
    // read() for the part it can no longer take back.
    void peek(qint64 position, char *out, qint64 count) const;

    // Counts every write, drop, loss and shut-down: whatever was peeked before
    // a change of the count may no longer be what will be read.
    quint64 changes() const;

    // The device has played the stream up to this byte offset.
    void setHeard(qint64 position);

    // The device stopped working: everything queued is dropped, and Lost with
    // the code is the only event left.
    void markLost(int code);

    // No more buffers and no more events until reopened.
    void shutDown();

    // Takes buffers again after a loss or a shut-down. A loss not yet taken
    // as an event is forgotten: it ended a stream that nothing waits on any
    // more, and reporting it now would end whatever is sent next.
    void reopen();

    bool isAccepting() const;
    // Nothing is queued, and everything written has been heard.
    bool isIdle() const;
    std::optional<Event> takeEvent();

    qint64 readPosition() const;
    qint64 heardPosition() const;

private:
    struct Entry {
        quint64 tag = 0;
        QByteArray data;
        qint64 start = -1;      // stream offset of the first byte, once read
        qint64 readBytes = 0;
        bool taken = false;
        bool started = false;

        qint64 end() const { return start + data.size(); }
    };

    void update();
    void post(Event event);

    mutable QMutex m_mutex;
    const qint64 m_heardLead;
    const qint64 m_readerLead;
    std::function<void()> m_notifier;
    std::deque<Entry> m_entries;
    QList<Event> m_events;
    qint64 m_readPos = 0;
    qint64 m_heard = 0;
    bool m_accepting = true;
    bool m_noticePosted = false;
    quint64 m_changes = 0;
};
