#include "ToneQueue.h"

#include <algorithm>
#include <cstring>

ToneQueue::ToneQueue(qint64 heardLead, qint64 readerLead)
    : m_heardLead(heardLead), m_readerLead(readerLead)
{
}

void ToneQueue::setNotifier(std::function<void()> notifier)
{
    QMutexLocker lock(&m_mutex);
    m_notifier = std::move(notifier);
}

bool ToneQueue::write(quint64 tag, const char *bytes, qint64 count)
{
    QMutexLocker lock(&m_mutex);
    if (!m_accepting || count < 0)
        return false;
    Entry entry;
    entry.tag = tag;
    entry.data = QByteArray(bytes, count);
    m_entries.push_back(std::move(entry));
    ++m_changes;
    update();
    return true;
}

QList<quint64> ToneQueue::discardPending()
{
    QMutexLocker lock(&m_mutex);
    QList<quint64> dropped;
    // Unread buffers are always the last ones: the reader takes them in order.
    while (!m_entries.empty() && m_entries.back().start < 0) {
        dropped.prepend(m_entries.back().tag);
        m_entries.pop_back();
    }
    m_events.removeIf([&](const Event &e) { return dropped.contains(e.tag); });
    if (!dropped.isEmpty())
        ++m_changes;
    return dropped;
}

void ToneQueue::read(char *out, qint64 count)
{
    QMutexLocker lock(&m_mutex);
    qint64 filled = 0;
    for (Entry &entry : m_entries) {
        if (filled == count)
            break;
        const qint64 left = entry.data.size() - entry.readBytes;
        if (left == 0 && entry.start >= 0)
            continue;
        if (entry.start < 0)
            entry.start = m_readPos + filled;
        const qint64 n = std::min(left, count - filled);
        std::memcpy(out + filled, entry.data.constData() + entry.readBytes, std::size_t(n));
        entry.readBytes += n;
        filled += n;
    }
    std::memset(out + filled, 0, std::size_t(count - filled));
    m_readPos += count;
    update();
}

void ToneQueue::peek(qint64 position, char *out, qint64 count) const
{
    QMutexLocker lock(&m_mutex);
    std::memset(out, 0, std::size_t(std::max<qint64>(count, 0)));
    const qint64 endWanted = position + count;
    // The same placing as update() gives unread buffers.
    qint64 end = m_readPos;
    for (const Entry &entry : m_entries) {
        const qint64 start = entry.start >= 0 ? entry.start : std::max(end, m_readPos);
        end = start + entry.data.size();
        if (start >= endWanted)
            break;
        const qint64 from = std::max(start, position);
        if (end > from)
            std::memcpy(out + (from - position), entry.data.constData() + (from - start),
                        std::size_t(std::min(end, endWanted) - from));
    }
}

quint64 ToneQueue::changes() const
{
    QMutexLocker lock(&m_mutex);
    return m_changes;
}

void ToneQueue::setHeard(qint64 position)
{
    QMutexLocker lock(&m_mutex);
    // The device's clock may step back a little when it re-estimates its
    // latency, and nothing unread can have been heard.
    m_heard = std::clamp(position, m_heard, m_readPos);
    update();
}

void ToneQueue::markLost(int code)
{
    QMutexLocker lock(&m_mutex);
    if (!m_accepting)
        return;
    m_accepting = false;
    m_entries.clear();
    m_events.clear();
    ++m_changes;
    post({Event::Lost, 0, code});
}

void ToneQueue::shutDown()
{
    QMutexLocker lock(&m_mutex);
    m_accepting = false;
    m_entries.clear();
    m_events.clear();
    ++m_changes;
}

void ToneQueue::reopen()
{
    QMutexLocker lock(&m_mutex);
    m_accepting = true;
    m_events.removeIf([](const Event &e) { return e.kind == Event::Lost; });
}

bool ToneQueue::isAccepting() const
{
    QMutexLocker lock(&m_mutex);
    return m_accepting;
}

bool ToneQueue::isIdle() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries.empty();
}

std::optional<ToneQueue::Event> ToneQueue::takeEvent()
{
    QMutexLocker lock(&m_mutex);
    if (m_events.isEmpty()) {
        m_noticePosted = false;
        return std::nullopt;
    }
    return m_events.takeFirst();
}

qint64 ToneQueue::readPosition() const
{
    QMutexLocker lock(&m_mutex);
    return m_readPos;
}

qint64 ToneQueue::heardPosition() const
{
    QMutexLocker lock(&m_mutex);
    return m_heard;
}

void ToneQueue::update()
{
    // Where each buffer ends in the stream: a buffer not yet read follows the
    // one before it, or starts where the reader is now if the stream has gone
    // silent in between.
    qint64 end = m_readPos;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        Entry &entry = *it;
        end = entry.start >= 0 ? entry.end() : std::max(end, m_readPos) + entry.data.size();
        if (!entry.taken && (end - m_heard < m_heardLead || end - m_readPos < m_readerLead)) {
            entry.taken = true;
            post({Event::Taken, entry.tag, 0});
        }
        // Played up to a buffer's first byte is not yet that byte played: at the
        // start of the stream the position rests at 0 until sound comes out.
        if (entry.start >= 0 && !entry.started && m_heard > entry.start) {
            entry.started = true;
            post({Event::Started, entry.tag, 0});
        }
        if (entry.started && m_heard >= entry.end()) {
            post({Event::Finished, entry.tag, 0});
            it = m_entries.erase(it);
            continue;
        }
        ++it;
    }
}

void ToneQueue::post(Event event)
{
    m_events.append(event);
    if (!m_noticePosted && m_notifier) {
        m_noticePosted = true;
        m_notifier();
    }
}
