#pragma once

#include <QString>

class QRandomGenerator;

// What a lesson plays: groups of five characters drawn from the lesson's
// characters, separated by single spaces, as many as fit in its length.
struct LessonPlan
{
    QString characters;     // every character of the lesson
    QString newCharacters;  // the ones the lesson brings in, drawn more often
    int minutes = 1;
    int wpm = 20;           // character speed
    int spaceExtra = 0;     // extra units after every character
    int ratio = 3;          // dash length in units
    quint32 seed = 0;
};

inline constexpr int kGroupSize = 5;
// A character the lesson brings in is drawn this many times as often as one
// learnt before, so that in a lesson of 20 or more characters it still comes
// about once a group instead of once in four groups.
inline constexpr int kNewCharacterWeight = 3;

// One group, each character drawn on its own.
QString drawGroup(QRandomGenerator &random, const QString &characters, const QString &newCharacters);

// The whole lesson; the same plan always gives the same text.
QString lessonText(const LessonPlan &plan);

// How long a text lasts as the renderer keys it, in Morse units: a dot or a
// dash and the unit after it, two units for a gap inside a pattern, and the
// closing gap of every character (two units plus the extra ones).
qint64 textUnits(const QString &text, int ratio, int spaceExtra);

// The speed in words per minute at which "PARIS " lasts as long as it does at
// wpm with spaceExtra extra units after each of its six characters.
double effectiveWpm(int wpm, int spaceExtra);
