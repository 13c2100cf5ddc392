#include "CallListFallback.h"

#include "CallListTexts.h"

void CallListFallback::select(int year, CallSignFilter filter)
{
    m_year = year;
    m_filter = filter;
}

CallListFallback::Outcome CallListFallback::kept() const
{
    Outcome outcome;
    if (const auto cached = m_cache.lookup(m_year, m_filter)) {
        outcome.callSigns = cached->callSigns;
        outcome.statusText = cachedListStatusText(cached->callSigns.size(), cached->readAt);
    }
    return outcome;
}

void CallListFallback::readSucceeded(const QStringList &callSigns) const
{
    if (!callSigns.isEmpty())
        m_cache.store(m_year, m_filter, callSigns, QDateTime::currentDateTimeUtc());
}

CallListFallback::Outcome CallListFallback::readFailed(const QString &reason) const
{
    Outcome outcome;
    outcome.noticeText = callListFailedText(reason);
    if (const auto cached = m_cache.lookup(m_year, m_filter)) {
        outcome.callSigns = cached->callSigns;
        outcome.statusText = cachedListStatusText(cached->callSigns.size(), cached->readAt);
        outcome.noticeText += QStringLiteral("\r\n\r\n") + cachedListNoticeText(cached->readAt);
    }
    return outcome;
}
