// A scored lesson as the result box prints it: each group sent over what was
// typed for it, columns lined up in cells of a monospace font, wrapping.
#include "course/CourseResultText.h"
#include "course/LessonScore.h"

#include <QRegularExpression>
#include <QTest>

class TestCourseResultText : public QObject
{
    Q_OBJECT

private slots:
    void columns_data();
    void columns();
    void marks();
};

// The lines of the result without their colours, the legend left out.
static QString shownLines(const QString &sent, const QString &copied, int lineCells)
{
    QString html = markedCopyHtml(scoreLesson(sent, copied).alignment, sentGroupSizes(sent), lineCells);
    html = html.section(u"</pre>"_qs, 0, 0).remove(QRegularExpression(u"<[^>]*>"_qs));
    return html.replace(u"&amp;"_qs, u"&"_qs);
}

void TestCourseResultText::columns_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<int>("lineCells");
    QTest::addColumn<QString>("shown");

    QTest::newRow("typed without gaps") << u"KMKMK MKKMM"_qs << u"KMKMKMKKMM"_qs << 80
                                        << u"送信  KMKMK  MKKMM\n入力  KMKMK  MKKMM"_qs;
    QTest::newRow("a missed character is a gap") << u"KMKMK MKKMM"_qs << u"KMKMKMKMM"_qs << 80
                                                 << u"送信  KMKMK  MKKMM\n入力  KMKMK  MKMM "_qs;
    QTest::newRow("typed past a group stays in it") << u"KMKMK MKKMM"_qs << u"KMKMKRMKKMM"_qs << 80
                                                    << u"送信  KMKMK   MKKMM\n入力  KMKMKR  MKKMM"_qs;
    // 4 for the label, 7 for each column: two fit in 18 cells, not three.
    QTest::newRow("wrapping") << u"KMKMK MKKMM MMKKK"_qs << u"KMKMKMKKMMMMKKK"_qs << 18
                              << u"送信  KMKMK  MKKMM\n入力  KMKMK  MKKMM\n\n送信  MMKKK\n入力  MMKKK"_qs;
    QTest::newRow("kana take two cells") << u"アイウエオ カキ"_qs << u"アイウエオカ"_qs << 80
                                         << u"送信  アイウエオ  カキ\n入力  アイウエオ  カ  "_qs;
    QTest::newRow("nothing typed") << u"KM"_qs << QString() << 80 << u"送信  KM\n入力    "_qs;
}

void TestCourseResultText::columns()
{
    QFETCH(QString, sent);
    QFETCH(QString, copied);
    QFETCH(int, lineCells);
    QFETCH(QString, shown);
    QCOMPARE(shownLines(sent, copied, lineCells), shown);
}

void TestCourseResultText::marks()
{
    const QString html = markedCopyHtml(scoreLesson(u"KM"_qs, u"R"_qs).alignment, {2}, 80);
    // K missed, M copied as R.
    QVERIFY(html.contains(u"<span style=\"color:#9a9a9a\"><u>K</u></span>"_qs));
    QVERIFY(html.contains(u"<span style=\"color:#ff5050\">M</span>"_qs));
    QVERIFY(html.contains(u"<span style=\"color:#ff5050\">R</span>"_qs));
}

QTEST_APPLESS_MAIN(TestCourseResultText)
#include "tst_courseresulttext.moc"
