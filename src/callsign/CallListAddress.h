#pragma once

#include <QString>

// The years offered by the year selector `cbbCallList`, newest first.
inline constexpr int CallListYearCount = 9;

// The public-log server of the contest sponsor.
QString CallListHost();

// Entry text of the year selector at index 0..8 ("2017 CQ WW DX CW" down to
// "2009 CQ WW DX CW"); empty for any other index.
QString CallListEntryText(int index);

// Path of the index page of the year at index 0..8 ("/publiclogs/2017cw/" down
// to "/publiclogs/2009cw/"); empty for any other index, such as -1 when the
// selector has no entry selected.
QString CallListPath(int index);

// "http://" + host + path, or empty when the index names no year.
QString CallListAddress(int index);
