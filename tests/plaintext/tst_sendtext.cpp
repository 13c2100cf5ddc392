#include "plaintext/SendText.h"

#include <QTest>

class TestSendText : public QObject
{
    Q_OBJECT

private slots:
    void prepare_data();
    void prepare();
    void writtenCharacters();
};

void TestSendText::prepare_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("sent");
    QTest::newRow("[AR]") << u"CQ [AR]"_qs << u"CQ +"_qs;
    QTest::newRow("lower case") << u"[ar]"_qs << u"+"_qs;
    QTest::newRow("mixed case") << u"[Ar] [sK]"_qs << u"+ $"_qs;
    QTest::newRow("full-width untouched") << u"［ＡＲ］"_qs << u"［ＡＲ］"_qs;
    QTest::newRow("across lines") << u"CQ [A\r\nR] K"_qs << u"CQ + K"_qs;
    QTest::newRow("nested") << u"[[AR]]"_qs << u"[+]"_qs;
    QTest::newRow("every prosign") << u"[AS][KN][SK][SN][KA][AR][BT]"_qs << u"\"#$%&+="_qs;
    QTest::newRow("kana signs") << u"[ホレ][ﾎﾚ][ラタ][ﾗﾀ][ホホ][ﾎﾎ][ウウ][ｳｳ]"_qs << u"^^**<<>>"_qs;
    QTest::newRow("only line breaks") << u"\r\n\r\n"_qs << QString();
    QTest::newRow("unknown notation kept") << u"[XY] [A R]"_qs << u"[XY] [A R]"_qs;
    // A line break between two words sounds as a word space.
    QTest::newRow("CR LF between words") << u"THE QUICK\r\nBROWN"_qs << u"THE QUICK BROWN"_qs;
    QTest::newRow("one call sign a line") << u"JA1ABC\r\nJH2XYZ\r\n7K1AAA"_qs << u"JA1ABC JH2XYZ 7K1AAA"_qs;
    QTest::newRow("lone LF, lone CR") << u"A\nB\rC"_qs << u"A B C"_qs;
    QTest::newRow("LF CR, blank lines: one space") << u"A\n\rB\r\n\r\nC"_qs << u"A B C"_qs;
    QTest::newRow("space before") << u"A \r\nB"_qs << u"A B"_qs;
    QTest::newRow("space after") << u"A\r\n  B"_qs << u"A  B"_qs;
    QTest::newRow("at both ends") << u"\r\n\nCQ\r"_qs << u"CQ"_qs;
    QTest::newRow("after a notation") << u"[AR]\nK"_qs << u"+ K"_qs;
    QTest::newRow("bracket never closed") << u"[XY\nZ"_qs << u"[XY Z"_qs;
    QTest::newRow("next bracket opens") << u"[A\nB [C]"_qs << u"[A B [C]"_qs;
    // Japanese is written without spaces: the lines join.
    QTest::newRow("kana") << u"アイ\r\nウエ"_qs << u"アイウエ"_qs;
    QTest::newRow("kanji, punctuation") << u"本日は。\r\n晴れ"_qs << u"本日は。晴れ"_qs;
    QTest::newRow("half-width kana") << u"ｱ\nｲ"_qs << u"ｱｲ"_qs;
    QTest::newRow("full-width letters") << u"ＡＢ\nＣ"_qs << u"ＡＢＣ"_qs;
    // A Latin word beside Japanese is a word of its own.
    QTest::newRow("kana after a call sign") << u"JA1ABC\nです"_qs << u"JA1ABC です"_qs;
    QTest::newRow("Latin after kana") << u"テスト\r\nCQ [AR]"_qs << u"テスト CQ +"_qs;
    QTest::newRow("full-width after Latin") << u"CQ TEST\r\nＴＥＳＴ"_qs << u"CQ TEST ＴＥＳＴ"_qs;
}

void TestSendText::prepare()
{
    QFETCH(QString, memo);
    QFETCH(QString, sent);
    QCOMPARE(prepareSendText(memo), sent);
    // What was written, one entry for each character sent, joins back to the
    // joined lines.
    const QStringList written = ::writtenCharacters(memo);
    QCOMPARE(written.size(), sent.size());
    QCOMPARE(written.join(QString()), joinLines(memo));
}

void TestSendText::writtenCharacters()
{
    QCOMPARE(::writtenCharacters(u"CQ [ar]\n[ホ\nレ]+"_qs),
             (QStringList{u"C"_qs, u"Q"_qs, u" "_qs, u"[ar]"_qs, u" "_qs, u"[ホレ]"_qs, u"+"_qs}));
}

QTEST_APPLESS_MAIN(TestSendText)
#include "tst_sendtext.moc"
