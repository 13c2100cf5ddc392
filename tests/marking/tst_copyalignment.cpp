#include "marking/CharacterTally.h"
#include "marking/CopyAlignment.h"
#include "marking/CopyMarks.h"

#include <QTest>

namespace {

// A match as its character; [sent/copied] for every error, one side empty
// for a missed or an extra character.
QString render(const QList<AlignedPair> &pairs)
{
    auto side = [](QChar c) { return c.isNull() ? QString() : QString(c); };
    QString text;
    for (const AlignedPair &pair : pairs) {
        if (pair.op == AlignedPair::Match)
            text += pair.sent;
        else
            text += u'[' + side(pair.sent) + u'/' + side(pair.copied) + u']';
    }
    return text;
}

} // namespace

Q_DECLARE_METATYPE(CharacterTally::Entry)

class TestCopyAlignment : public QObject
{
    Q_OBJECT

private slots:
    void alignment_data();
    void alignment();
    void tallyWorstFirst();
    void errorPercent_data();
    void errorPercent();
    void marks_data();
    void marks();
};

void TestCopyAlignment::alignment_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("aligned");
    QTest::addColumn<int>("errors");

    QTest::newRow("identical") << u"JA1ABC"_qs << u"JA1ABC"_qs << u"JA1ABC"_qs << 0;
    QTest::newRow("last substituted") << u"JA1ABC"_qs << u"JA1ABD"_qs << u"JA1AB[C/D]"_qs << 1;
    QTest::newRow("first substituted") << u"JA1ABC"_qs << u"JR1ABC"_qs << u"J[A/R]1ABC"_qs << 1;
    QTest::newRow("missed inside") << u"JA1ABC"_qs << u"JA1AC"_qs << u"JA1A[B/]C"_qs << 1;
    QTest::newRow("missed first") << u"7K1ABC"_qs << u"K1ABC"_qs << u"[7/]K1ABC"_qs << 1;
    QTest::newRow("extra inside") << u"W1AW"_qs << u"W1XAW"_qs << u"W1[/X]AW"_qs << 1;
    QTest::newRow("extra at the end") << u"JA1ABC"_qs << u"JA1ABCX"_qs << u"JA1ABC[/X]"_qs << 1;
    QTest::newRow("ties resolved from the end") << u"DL5ABC"_qs << u"DL5XC"_qs << u"DL5[A/][B/X]C"_qs << 2;
    QTest::newRow("swap is two substitutions") << u"AB"_qs << u"BA"_qs << u"[A/B][B/A]"_qs << 2;
    QTest::newRow("empty answer") << u"JA1"_qs << QString() << u"[J/][A/][1/]"_qs << 3;
    QTest::newRow("nothing sent") << QString() << u"AB"_qs << u"[/A][/B]"_qs << 2;
    QTest::newRow("both empty") << QString() << QString() << QString() << 0;
    QTest::newRow("case counts") << u"ab"_qs << u"aB"_qs << u"a[b/B]"_qs << 1;
}

void TestCopyAlignment::alignment()
{
    QFETCH(QString, sent);
    QFETCH(QString, copied);
    QFETCH(QString, aligned);
    QFETCH(int, errors);

    const QList<AlignedPair> pairs = alignCopy(sent, copied);
    QCOMPARE(render(pairs), aligned);
    QCOMPARE(copyErrorCount(pairs), errors);
    // Reading either side back out of the pairs gives the strings aligned.
    QString sentBack;
    QString copiedBack;
    for (const AlignedPair &pair : pairs) {
        if (pair.op != AlignedPair::Extra)
            sentBack += pair.sent;
        if (pair.op != AlignedPair::Missed)
            copiedBack += pair.copied;
    }
    QCOMPARE(sentBack, sent);
    QCOMPARE(copiedBack, copied);
}

void TestCopyAlignment::tallyWorstFirst()
{
    CharacterTally tally;
    for (const auto &[sent, copied] : {std::pair{u"JA1ABC"_qs, u"JA1ABD"_qs}, {u"JA1ABC"_qs, u"JA1AC"_qs},
                                       {u"JA1ABC"_qs, u"JA1ABD"_qs}, {u"W1AW"_qs, u"W1XAW"_qs},
                                       {u"K1K"_qs, u"K1"_qs}})
        tally.add(alignCopy(sent, copied));

    using Entry = CharacterTally::Entry;
    // C has two errors; X, B and K one each, ordered by their share: X was
    // never sent (one of one), K missed once of two, B once of three.
    const QList<Entry> expected = {
        Entry{u'C', 3, 2, 0, 0},
        Entry{u'X', 0, 0, 0, 1},
        Entry{u'K', 2, 0, 1, 0},
        Entry{u'B', 3, 0, 1, 0},
    };
    QCOMPARE(tally.worstFirst(), expected);
    QCOMPARE(tally.entry(u'A'), (Entry{u'A', 7, 0, 0, 0}));
}

void TestCopyAlignment::errorPercent_data()
{
    QTest::addColumn<CharacterTally::Entry>("entry");
    QTest::addColumn<double>("percent");
    using Entry = CharacterTally::Entry;
    QTest::newRow("four slipped in, sent twice") << Entry{u'S', 2, 0, 0, 4} << 400.0 / 6;
    QTest::newRow("only ever slipped in") << Entry{u'X', 0, 0, 0, 3} << 100.0;
    QTest::newRow("every kind") << Entry{u'K', 8, 1, 2, 2} << 50.0;
    QTest::newRow("all missed") << Entry{u'B', 3, 0, 3, 0} << 100.0;
    QTest::newRow("never seen") << Entry{u'Q', 0, 0, 0, 0} << 0.0;
}

void TestCopyAlignment::errorPercent()
{
    QFETCH(CharacterTally::Entry, entry);
    QFETCH(double, percent);
    QCOMPARE(entry.errorPercent(), percent);
}

void TestCopyAlignment::marks_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QList<int>>("sentMarks");
    QTest::addColumn<QList<int>>("copiedMarks");
    QTest::newRow("right") << u"JA1ABC"_qs << u"JA1ABC"_qs << QList<int>{} << QList<int>{};
    QTest::newRow("copied wrong") << u"JA1ABC"_qs << u"JA1ABD"_qs << QList<int>{5} << QList<int>{5};
    QTest::newRow("missed first") << u"7K1ABC"_qs << u"K1ABC"_qs << QList<int>{0} << QList<int>{};
    QTest::newRow("slipped in, then wrong") << u"W1AW"_qs << u"W1XAV"_qs << QList<int>{3} << QList<int>{2, 4};
}

void TestCopyAlignment::marks()
{
    QFETCH(QString, sent);
    QFETCH(QString, copied);
    QFETCH(QList<int>, sentMarks);
    QFETCH(QList<int>, copiedMarks);
    const CopyMarks marks = markCopyErrors(sent, copied);
    QCOMPARE(marks.sent, sentMarks);
    QCOMPARE(marks.copied, copiedMarks);
}

QTEST_APPLESS_MAIN(TestCopyAlignment)
#include "tst_copyalignment.moc"
