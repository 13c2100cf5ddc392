#include "course/KochCourse.h"
#include "course/LessonScore.h"
#include "course/LessonText.h"
#include "morse/MorsePattern.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

#include <string>

class TestKochCourse : public QObject
{
    Q_OBJECT

private slots:
    void courses_data();
    void courses();
    void drawing_data();
    void drawing();
    void timing();
    void folding_data();
    void folding();
    void scoring_data();
    void scoring();
    void unlocking_data();
    void unlocking();
};

void TestKochCourse::courses_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("lesson1");
    QTest::addColumn<QString>("lesson2New");
    QTest::addColumn<QString>("mustTeach");
    QTest::addColumn<QString>("order");  // the published order the course follows; empty when it is ours

    QTest::newRow("international") << int(CourseKind::International) << 44 << QStringLiteral("KM")
                                   << QStringLiteral("U")
                                   << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,/?=+$#")
                                   << QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X+$#");
    QTest::newRow("wabun") << int(CourseKind::Wabun) << 55 << QStringLiteral("ヘム") << QStringLiteral("イ")
                           << QStringLiteral("アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
                                             "ラリルレロワヰヱヲン゛゜ー、。（）")
                           << QString();
}

// Every character is taught once, sounds unlike every other of its course,
// and lessons grow by one from two.
void TestKochCourse::courses()
{
    QFETCH(int, kind);
    QFETCH(int, size);
    QFETCH(QString, lesson1);
    QFETCH(QString, lesson2New);
    QFETCH(QString, mustTeach);
    QFETCH(QString, order);
    const CourseKind course = CourseKind(kind);
    if (!order.isEmpty())
        QCOMPARE(courseOrder(course), order);
    order = courseOrder(course);

    QCOMPARE(order.size(), size);
    QCOMPARE(lessonCount(course), size - 1);
    for (const QChar c : mustTeach)
        QVERIFY2(order.contains(c), qPrintable(QString(c)));
    QSet<std::string> patterns;
    for (const QChar c : order) {
        const MorsePattern pattern = LookupMorsePattern(c.unicode());
        QVERIFY2(!pattern.empty(), qPrintable(QString(c)));
        QVERIFY2(!patterns.contains(std::string(pattern)), qPrintable(QString(c)));
        patterns.insert(std::string(pattern));
    }

    QCOMPARE(lessonCharacters(course, 1), lesson1);
    QCOMPARE(newCharacters(course, 1), lesson1);
    QCOMPARE(newCharacters(course, 2), lesson2New);
    QCOMPARE(lessonCharacters(course, 2), lesson1 + lesson2New);
    QCOMPARE(lessonCharacters(course, lessonCount(course)), order);
    QCOMPARE(newCharacters(course, lessonCount(course)), order.right(1));
    QVERIFY(lessonCharacters(course, 0).isEmpty());
    QVERIFY(lessonCharacters(course, lessonCount(course) + 1).isEmpty());
}

void TestKochCourse::drawing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("lesson");
    QTest::addColumn<double>("newShare");  // expected share of the new characters

    // Lesson 1: both characters are new and drawn alike. Later: three times
    // the weight of each of the lesson - 1 ... characters learnt before.
    QTest::newRow("international 1") << int(CourseKind::International) << 1 << 1.0;
    QTest::newRow("international 10") << int(CourseKind::International) << 10 << 3.0 / (10 + 3);
    QTest::newRow("wabun 1") << int(CourseKind::Wabun) << 1 << 1.0;
    QTest::newRow("wabun 30") << int(CourseKind::Wabun) << 30 << 3.0 / (30 + 3);
}

void TestKochCourse::drawing()
{
    QFETCH(int, kind);
    QFETCH(int, lesson);
    QFETCH(double, newShare);
    LessonPlan plan;
    plan.characters = lessonCharacters(CourseKind(kind), lesson);
    plan.newCharacters = newCharacters(CourseKind(kind), lesson);
    plan.minutes = 5;
    plan.seed = 7;

    const QString text = lessonText(plan);
    QCOMPARE(lessonText(plan), text);
    plan.seed = 8;
    QVERIFY(lessonText(plan) != text);

    const QStringList groups = text.split(u' ');
    QVERIFY(groups.size() > 10);
    int fresh = 0;
    int drawn = 0;
    QHash<QChar, int> seen;
    for (const QString &group : groups) {
        QCOMPARE(group.size(), kGroupSize);
        for (const QChar c : group) {
            QVERIFY2(plan.characters.contains(c), qPrintable(group));
            fresh += plan.newCharacters.contains(c) ? 1 : 0;
            ++drawn;
            ++seen[c];
        }
    }
    QVERIFY(std::abs(double(fresh) / drawn - newShare) < 0.06);
    if (lesson == 1)
        QVERIFY(std::abs(seen.value(plan.characters.at(0)) - seen.value(plan.characters.at(1))) < drawn / 6);

    // The lesson fills its length: one more group would not fit.
    const qint64 budget = qint64(plan.minutes) * plan.wpm * 50;
    const qint64 used = textUnits(text, plan.ratio, plan.spaceExtra);
    QVERIFY(used <= budget);
    qint64 longest = 0;
    for (const QChar c : plan.characters)
        longest = std::max(longest, textUnits(QString(c), plan.ratio, plan.spaceExtra));
    QVERIFY(budget - used < textUnits(QStringLiteral(" "), plan.ratio, plan.spaceExtra) + kGroupSize * longest);
}

// Units as the renderer keys them, and the effective speed they give.
void TestKochCourse::timing()
{
    QCOMPARE(textUnits(QStringLiteral("PARIS "), 3, 0), 50);
    QCOMPARE(textUnits(QStringLiteral("E"), 3, 2), 2 + 2 + 2);
    QCOMPARE(textUnits(QStringLiteral("T"), 5, 0), 6 + 2);
    QCOMPARE(textUnits(QStringLiteral("ガ"), 3, 0), 10 + 2 + 4 + 2);  // ".-.. ..": the gap inside is two units
    QCOMPARE(effectiveWpm(20, 0), 20.0);
    QCOMPARE(effectiveWpm(20, 3), 20.0 * 50 / 68);
    QCOMPARE(effectiveWpm(25, 27), 25.0 * 50 / (50 + 6 * 27));
}

// What a copy is compared as: katakana as sent, each sound mark on its own.
void TestKochCourse::folding_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folded");
    QTest::newRow("voiced, whole") << u"がゔ"_qs << u"カ゛ウ゛"_qs;
    QTest::newRow("semi-voiced, half width") << u"ﾊﾟ"_qs << u"ハ゜"_qs;
    QTest::newRow("spacing marks") << u"カ゛ハ゜"_qs << u"カ゛ハ゜"_qs;
    QTest::newRow("small kana, spaces, case") << u"っ ゃ k[ar]"_qs << u"ツヤK+"_qs;
}

void TestKochCourse::folding()
{
    QFETCH(QString, typed);
    QFETCH(QString, folded);
    QCOMPARE(foldCopy(typed), folded);
}

void TestKochCourse::scoring_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<int>("sentCount");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("passed");  // 90 % or more

    QTest::newRow("all right, gaps not typed") << "KMKKM MMKMK" << "kmkkmmmkmk" << 10 << 10 << 0 << true;
    QTest::newRow("one left out") << "KMKKM MMKMK" << "KMKM MMKMK" << 10 << 9 << 1 << true;
    QTest::newRow("one slipped in") << "KMKKM" << "KMKKKM" << 5 << 5 << 1 << true;
    QTest::newRow("one wrong") << "KMURE" << "KMUEE" << 5 << 4 << 1 << false;
    QTest::newRow("nothing typed") << "KMKKM" << "" << 5 << 0 << 5 << false;
    QTest::newRow("prosign in brackets") << "+=+$# KM" << "[ar][BT]+[SK][KN] KM" << 7 << 7 << 0 << true;
    QTest::newRow("hiragana for katakana") << "ヘムヘヘム" << "へむへへむ" << 5 << 5 << 0 << true;
    QTest::newRow("half-width kana") << "ヘムイタヨ" << "ﾍﾑｲﾀﾖ" << 5 << 5 << 0 << true;
    QTest::newRow("voiced kana typed whole") << "カ゛ハ゜ヰ" << "がぱゐ" << 5 << 5 << 0 << true;
    QTest::newRow("half-width marks") << "カ゛ハ゜ー" << "ｶﾞﾊﾟｰ" << 5 << 5 << 0 << true;
    QTest::newRow("small kana as large") << "ツヤ" << "っゃ" << 2 << 2 << 0 << true;
    QTest::newRow("full-width punctuation") << "（）、。" << "()、。" << 4 << 4 << 0 << true;
    QTest::newRow("kana wrong") << "ヘムヘヘム" << "へむへむ" << 5 << 4 << 1 << false;
    QTest::newRow("9 of 10 passes") << "KMKKMMMKMK" << "KMKKMMMKM" << 10 << 9 << 1 << true;
    QTest::newRow("8 of 9 does not") << "KMKKMMMKM" << "KMKKMMMK" << 9 << 8 << 1 << false;
}

void TestKochCourse::scoring()
{
    QFETCH(QString, sent);
    QFETCH(QString, copied);
    QFETCH(int, sentCount);
    QFETCH(int, correct);
    QFETCH(int, errors);
    QFETCH(bool, passed);
    const LessonScore score = scoreLesson(sent, copied);
    QCOMPARE(score.sent, sentCount);
    QCOMPARE(score.correct, correct);
    QCOMPARE(copyErrorCount(score.alignment), errors);
    QCOMPARE(score.percent(), 100.0 * correct / sentCount);
    QCOMPARE(score.passed(), passed);
}

void TestKochCourse::unlocking_data()
{
    QTest::addColumn<int>("reached");
    QTest::addColumn<int>("played");
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("expected");

    QTest::newRow("90 % opens the next") << 1 << 1 << 90.0 << 2;
    QTest::newRow("just under does not") << 1 << 1 << 89.9 << 1;
    QTest::newRow("a pass in an earlier lesson") << 5 << 3 << 100.0 << 5;
    QTest::newRow("the last lesson stays") << 43 << 43 << 100.0 << 43;
}

void TestKochCourse::unlocking()
{
    QFETCH(int, reached);
    QFETCH(int, played);
    QFETCH(double, percent);
    QFETCH(int, expected);
    QCOMPARE(lessonReachedAfter(reached, played, percent, 43), expected);
}

QTEST_APPLESS_MAIN(TestKochCourse)
#include "tst_kochcourse.moc"
