#pragma once

#include "callsign/CallSignScan.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A call-sign list read from the web page earlier, and when.
struct CachedCallSignList
{
    QStringList callSigns;
    QDateTime readAt;
};

// Keeps the list of the last successful web read of each year and filter,
// so that a read that fails later (no network, the server down) can still
// give that year's list. One file per year and filter, written whole or not
// at all; a file that is damaged or cut short counts as absent, never as a
// shorter list.
//
// CallListFallback stores each successful read here and looks the copy up
// when a read fails.
class CallSignListCache
{
public:
    // The files live in folder; by default "callsigns" in the user's cache
    // location.
    explicit CallSignListCache(QString folder = defaultFolder());

    static QString defaultFolder();
    QString folder() const { return m_folder; }

    // Replaces the copy of year and filter. An empty list is not kept: it is
    // what a failed read gives. False when nothing could be written; the
    // previous copy is then left as it was.
    bool store(int year, CallSignFilter filter, const QStringList &callSigns, const QDateTime &readAt) const;

    // The copy of year and filter, if there is a sound one.
    std::optional<CachedCallSignList> lookup(int year, CallSignFilter filter) const;

private:
    QString pathOf(int year, CallSignFilter filter) const;

    QString m_folder;
};

// The notice when a failed read falls back to the kept list: names the day
// of the read that gave it, in local time.
QString cachedListNoticeText(const QDateTime &readAt);

// Status panel 0 with a kept list: the count and the day it was read.
QString cachedListStatusText(qsizetype count, const QDateTime &readAt);
