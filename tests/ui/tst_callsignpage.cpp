// The call-sign page: the input box, stream listening, reading a list and the drill.
#include "WindowFixture.h"


#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

class TestCallSignPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void callSignInputBox();
    void streamTickBoxHoldsNormalMode();
    void readListThenDrill();
    void failedReadShowsTheMaintenanceMessage();

private:
    WindowFixture w;
};

void TestCallSignPage::callSignInputBox()
{
    auto *box = w.child<QLineEdit>("edtCallInput");
    QTest::keyClicks(box, u"ja1abc/p"_qs);
    QCOMPARE(box->text(), u"JA1ABC/P"_qs);
    QTest::keyClicks(box, u"0123456789abcdef"_qs);
    QCOMPARE(box->text().size(), 20);
}

void TestCallSignPage::streamTickBoxHoldsNormalMode()
{
    w.child<QRadioButton>("rbModeRandom")->setChecked(true);
    w.child<QCheckBox>("chkCallStream")->setChecked(true);
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(!w.child<QRadioButton>("rbModeStep")->isEnabled());
    QVERIFY(!w.child<QRadioButton>("rbModeRandom")->isEnabled());
    QVERIFY(w.child<QLineEdit>("edtCallInput")->isReadOnly());
    w.child<QCheckBox>("chkCallStream")->setChecked(false);
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(w.child<QRadioButton>("rbModeStep")->isEnabled());
    QVERIFY(!w.child<QLineEdit>("edtCallInput")->isReadOnly());
}

void TestCallSignPage::readListThenDrill()
{
    auto *read = w.child<QPushButton>("btnCallRead");
    QTest::mouseClick(read, Qt::LeftButton);
    QVERIFY(!read->isEnabled());
    QCOMPARE(w.window->statusText(0), u"読込中..."_qs);
    w.http->deliver("<tr><td><a href=\"k1abc.log\">k1abc</a></td></tr>");
    w.http->deliver("<tr><td><a href=\"k1abc.log\">k1abc</a></td></tr>");
    w.http->finish();
    QTRY_VERIFY(read->isEnabled());
    QCOMPARE(w.window->callSignPage().callSigns(), (QStringList{u"K1ABC"_qs, u"K1ABC"_qs}));
    QCOMPARE(w.window->statusText(0), u"CQ World Wide DX Contest : 2局"_qs);

    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(w.window->sequencer().send_text, u"K1ABC"_qs);
    auto *box = w.child<QLineEdit>("edtCallInput");
    QTest::keyClicks(box, u"k1abc"_qs);
    QTest::keyClick(box, Qt::Key_Return);
    auto *list = w.child<QTreeWidget>("lvCallList");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), u"1"_qs);
    QCOMPARE(list->topLevelItem(0)->text(1), u"K1ABC"_qs);
    QCOMPARE(list->topLevelItem(0)->text(3), u"25"_qs);
    QCOMPARE(list->topLevelItem(0)->text(4), u"OK"_qs);
    QCOMPARE(list->currentItem(), list->topLevelItem(0));
    QVERIFY(!w.child<QFrame>("PanelCount")->isHidden());
    QCOMPARE(w.child<QLabel>("LabelCount")->text(), u"1/1 (100%)"_qs);
    QCOMPARE(box->text(), QString());

    // A wrong answer's row stands out from the right ones.
    QTest::keyClicks(box, u"k1abd"_qs);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(list->topLevelItem(1)->text(4), u"NG"_qs);
    for (int column = 0; column < 5; ++column)
        QVERIFY(list->topLevelItem(1)->foreground(column) != list->topLevelItem(0)->foreground(column));
}

void TestCallSignPage::failedReadShowsTheMaintenanceMessage()
{
    QTest::mouseClick(w.child<QPushButton>("btnCallRead"), Qt::LeftButton);
    w.http->finish(u"connection refused"_qs);
    QTRY_VERIFY(w.child<QPushButton>("btnCallRead")->isEnabled());
    QCOMPARE(w.window->statusText(0), u"CQ World Wide DX Contest : 0局"_qs);
    QCOMPARE(w.dialogs->notices,
             QStringList{u"ウェブサイトがメンテ中かもしれません。\r\n\r\nしばらくしてからやり直して下さい。"_qs});
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(w.dialogs->notices.last(), u"Call Sign を読み込んでください。"_qs);
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
}

QTEST_MAIN(TestCallSignPage)
#include "tst_callsignpage.moc"
