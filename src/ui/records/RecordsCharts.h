#pragma once

#include "history/RecordsSummary.h"

#include <QList>

class QChart;

// The records window's two charts, in the program's dark gold look. Each call
// makes a new chart; the caller's view takes it over.
namespace RecordsCharts {

// Accuracy (left axis, %) and mean speed (right axis, wpm), one point a day.
QChart *days(const QList<RecordsSummary::Day> &days);

// The characters copied wrong most often, worst on the left, at most shown of them.
QChart *worstCharacters(const QList<CharacterTally::Entry> &worstFirst, int shown);

} // namespace RecordsCharts
