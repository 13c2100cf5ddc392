#include "plaintext/SendText.h"

#include <QTest>

class TestSendText : public QObject
{
    Q_OBJECT

private slots:
    void prepare_data();
    void prepare();
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
    QTest::newRow("lone CR and LF stay") << u"A\rB\nC\r\n"_qs << u"A\rB\nC"_qs;
    QTest::newRow("only line breaks") << u"\r\n\r\n"_qs << QString();
    QTest::newRow("LF CR is no pair") << u"A\n\rB"_qs << u"A\n\rB"_qs;
    QTest::newRow("unknown notation kept") << u"[XY] [A R]"_qs << u"[XY] [A R]"_qs;
}

void TestSendText::prepare()
{
    QFETCH(QString, memo);
    QFETCH(QString, sent);
    QCOMPARE(PrepareSendText(memo), sent);
}

QTEST_APPLESS_MAIN(TestSendText)
#include "tst_sendtext.moc"
