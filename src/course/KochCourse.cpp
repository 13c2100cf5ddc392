#include "KochCourse.h"

namespace {

// The order of the Learn CW Online Koch course (lcwo.net): it starts with
// K and M, two characters of the same length and rhythm told apart by their
// middle element, and spreads look-alikes (S H 5, U V 4) over many lessons.
// "=" is BT. AR ("+"), SK ("$") and KN ("#") are not in that order; they come
// last, after every character they are built from has been learnt.
const QString kInternational = QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X+$#");

// Wabun has no Koch order of the same standing, so this one is ours. It
// starts with the shortest patterns, a single dot and a single dash, the first
// difference an ear learns, and goes on one pattern length at a time, so that
// each new kana is told from the ones known by a sound the learner has already
// heard; within a length, dot-led and dash-led kana take turns. The sound
// marks come after all the kana, since they only make sense after one, and the
// punctuation, long and seldom sent, comes last.
const QString kWabun = QStringLiteral(
    "ヘム"              // .  -
    "イタヨ"            // .-  -.  --
    "ラレナワホリウヤ"  // ...  ---  .-.  -.-  -..  --.  ..-  .--
    "ヌコカネチツケノクニハフマロヲソ"
    "アオエキサシスセテトヒミメモユルヰヱン"
    "゛゜ー"
    "、。（）");

} // namespace

QString courseOrder(CourseKind kind)
{
    return kind == CourseKind::Wabun ? kWabun : kInternational;
}

int lessonCount(CourseKind kind)
{
    return int(courseOrder(kind).size()) - 1;
}

QString lessonCharacters(CourseKind kind, int lesson)
{
    if (lesson < 1 || lesson > lessonCount(kind))
        return QString();
    return courseOrder(kind).left(lesson + 1);
}

QString newCharacters(CourseKind kind, int lesson)
{
    const QString characters = lessonCharacters(kind, lesson);
    return lesson == 1 ? characters : characters.right(1);
}

QString courseKey(CourseKind kind)
{
    return kind == CourseKind::Wabun ? QStringLiteral("wabun") : QStringLiteral("international");
}
