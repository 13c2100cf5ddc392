#pragma once

#include <QString>

// The two courses that teach Morse from nothing, one character per lesson.
enum class CourseKind { International = 0, Wabun = 1 };

// Every character a course teaches, in the order it teaches them, as the
// characters are sent: prosigns as their key characters, kana in katakana.
QString courseOrder(CourseKind kind);

// Lesson 1 teaches two characters and every lesson after it one more.
int lessonCount(CourseKind kind);

// The characters of a lesson (1..lessonCount), oldest first; empty outside.
QString lessonCharacters(CourseKind kind, int lesson);

// The characters a lesson brings in: both of lesson 1, the last one after.
QString newCharacters(CourseKind kind, int lesson);

// The name a course is stored under; it never changes.
QString courseKey(CourseKind kind);
