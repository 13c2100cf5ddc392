#pragma once

#include "marking/CopyAlignment.h"

#include <QList>
#include <QString>

// A lesson's copy lined up with what was sent, and its score.
struct LessonScore
{
    QList<AlignedPair> alignment;  // of the folded texts, spaces left out
    int sent = 0;                  // characters sent, spaces left out
    int correct = 0;               // of those, copied right

    // The share of the characters sent that were copied right, in percent.
    double percent() const { return sent == 0 ? 0.0 : 100.0 * correct / sent; }
    bool passed() const;
};

// The next lesson opens at this share.
inline constexpr double kPassPercent = 90.0;

// The form in which a sent or typed text is compared: bracket notations as
// their key characters, half-width and full-width forms as the plain ones,
// Latin letters in upper case, hiragana as katakana, small kana as large ones
// (they are sent alike), voiced and semi-voiced kana as the kana and its mark
// (ガ is sent as カ and ゛), and no spaces or line breaks, so that a learner
// who does not type the gaps between groups loses nothing.
QString foldCopy(const QString &text);

LessonScore scoreLesson(const QString &sent, const QString &copied);

// The lesson a learner has reached after scoring percent in lesson played.
// Only a pass in the lesson reached opens the next one, up to the last.
int lessonReachedAfter(int reached, int played, double percent, int lastLesson);
