// The course through the real window: a lesson heard through the sink and
// its copy typed back and scored.
#include "E2eSession.h"

#include "course/LessonText.h"
#include "ui/course/CoursePage.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace e2e {
namespace {

// Lesson 1 of a course at the course's starting 20 wpm, spaced out by the
// settings group's spacing entry, copied by "typing" the sent text (in
// hiragana for Wabun, as the input method would commit it) with the last
// groups left out when asked.
int courseLesson(const Options &o)
{
    Session s(o);
    const CourseKind kind = o.text("course") == QLatin1String("wabun") ? CourseKind::Wabun : CourseKind::International;
    CoursePage &page = s.window->coursePage();
    s.selectTab(CharacterView::CourseTab);
    page.selectCourse(kind);
    page.selectLesson(1);
    s.child<QComboBox>("cbbSpacing")->setCurrentIndex(o.number("spacing", 0));
    page.setNextSeed(quint32(o.number("seed", 1)));
    s.window->btnStartClick();
    require(s.keyDown(), QStringLiteral("Start did not start the lesson"));
    const QString sent = page.sentText();
    report("sent", sent);
    report("lesson_chars", lessonCharacters(kind, 1));
    report("effective", s.child<QLabel>("lblCourseEffective")->text());

    QString copy = sent;
    copy.chop(o.number("drop-groups", 0) * (kGroupSize + 1));
    if (kind == CourseKind::Wabun) {
        for (QChar &c : copy) {
            if (c != u' ')
                c = QChar(c.unicode() - 0x60);  // katakana to hiragana
        }
    }
    s.child<QPlainTextEdit>("mmoCourseCopy")->insertPlainText(copy);

    require(waitFor([&] { return !s.window->statusText(1).isEmpty(); }, 5000),
            QStringLiteral("the rate meter did not show"));
    report("rate", s.window->statusText(1));
    require(waitFor([&] { return page.scorePending(); }, o.number("timeout-ms", 90000)),
            QStringLiteral("the lesson did not end"));
    report("rate_at_end", s.window->statusText(1));
    report("ticker_marks", s.child<QLabel>("lblCourseChar")->text().count(u'・'));
    require(waitFor([&] { return page.lastScore().has_value(); }, 10000), QStringLiteral("the copy was not scored"));
    report("correct", page.lastScore()->correct);
    report("scored", page.lastScore()->sent);
    report("score", s.child<QLabel>("lblCourseScore")->text());
    report("reached", page.lessonReached());
    s.reportDialogs();
    s.requireResponsive();
    return 0;
}

} // namespace

void addCourseScenarios(QHash<QString, Scenario> &scenarios)
{
    scenarios.insert(QStringLiteral("course"), courseLesson);
}

} // namespace e2e
