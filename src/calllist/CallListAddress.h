#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The years of the contest whose public logs the year selector `cbbCallList`
// offers, and the address of each year's index page.

// The first year with public logs in the form the page scan reads.
inline constexpr int CallListOldestYear = 2009;
// Published for certain: a clock set far back still offers these years.
inline constexpr int CallListNewestKnownYear = 2017;

// The years offered on the given day, newest first, one apart, down to 2009.
// The newest is the year before today's: the CW weekend is at the end of
// November, so a year's logs are public only in the year after it. Never
// fewer than 2017 down to 2009, whatever the date (an invalid one included).
QList<int> callListYears(const QDate &today);

// The years of this run: callListYears of the day this was first asked. The
// selector's entries and the addresses behind its indexes are taken from the
// same list, so they cannot drift apart when a run goes on past New Year.
const QList<int> &callListYears();
int callListYearCount();

// The year at index of callListYears(), or 0 for an index that names no year
// (such as -1, when the selector has no entry selected).
int callListYearAt(int index);
// The index of year in callListYears(), or -1 when it is not offered.
int callListIndexOfYear(int year);

// The public-log server of the contest sponsor.
QString callListHost();

// Entry text of the year selector at index ("2025 CQ WW DX CW"); empty for an
// index that names no year.
QString callListEntryText(int index);

// Path of the index page of the year at index ("/publiclogs/2025cw/"); empty
// for an index that names no year.
QString callListPath(int index);

// "http://" + host + path, or empty when the index names no year.
QString callListAddress(int index);
