#pragma once

#include "CallSignListCache.h"

#include <QString>
#include <QStringList>

#include <optional>

// The web's call-sign list of one year and filter as the call-sign tab gets
// it: every list a read gives is kept for the day the web cannot be reached,
// and when a read fails the copy kept from an earlier read of the same year
// and filter takes its place; without one the drill keeps the list it had.
class CallListFallback
{
public:
    struct Outcome
    {
        std::optional<QStringList> callSigns;  // the list to use; none: keep the one there is
        QString statusText;                    // status panel 0; empty: leave it
        QString noticeText;                    // a message box; empty: none
    };

    explicit CallListFallback(CallSignListCache cache = CallSignListCache()) : m_cache(std::move(cache)) {}

    // The year and filter of the read running or last run.
    void select(int year, CallSignFilter filter);

    // The copy kept of the year and filter selected, so that Start works at
    // once, also offline; no notice.
    Outcome kept() const;
    // A read gave callSigns: kept unless empty (what a failed read gives).
    void readSucceeded(const QStringList &callSigns) const;
    // A read failed for reason.
    Outcome readFailed(const QString &reason) const;

private:
    CallSignListCache m_cache;
    int m_year = 0;
    CallSignFilter m_filter = CallSignFilter::DX;
};
