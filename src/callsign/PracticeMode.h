#pragma once

#include <QString>
#include <QStringList>

// How the call-sign drill sets its keying: as set (normal), one wpm faster
// after each run of correct answers (step), or drawn anew after every answer
// (random).
enum class PracticeMode { Normal, Step, Random };

// The words for the modes, in the order of the enum. They are part of the
// history's file, of its CSV export and of the saved settings: they never
// change with the window's captions.
QStringList modeNames();
QString modeName(PracticeMode mode);
// An unknown word reads as the normal mode.
PracticeMode modeFromName(const QString &name);
