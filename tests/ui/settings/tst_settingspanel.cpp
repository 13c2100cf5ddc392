// The settings group: speed, pitch and spacing handlers.
#include "ui/WindowFixture.h"

#include "ui/settings/UpDownSpinner.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestSettingsPanel : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void speedHandler();
    void pitchHandler();
    void spacingHandler_data();
    void spacingHandler();
    void badRatioIsRefusedWhereTyped_data();
    void badRatioIsRefusedWhereTyped();

private:
    WindowFixture w;
};

void TestSettingsPanel::speedHandler()
{
    auto *udSpeed = w.child<UpDownSpinner>("udSpeed");
    udSpeed->setPosition(11);
    QCOMPARE(w.child<QLineEdit>("edtSpeed")->text(), u"11"_qs);
    QCOMPARE(w.window->keying().dot_samples, 872);
    udSpeed->setPosition(99);                 // stops at its limit
    QCOMPARE(w.child<QLineEdit>("edtSpeed")->text(), u"60"_qs);
    QCOMPARE(w.window->keying().dot_samples, 160);
    QTest::keyClick(w.child<QLineEdit>("edtSpeed"), Qt::Key_Down);  // arrow keys step the spinner
    QCOMPARE(w.window->keying().dot_samples, 9600 / 59);
    QVERIFY(w.child<QLineEdit>("edtSpeed")->isReadOnly());
}

void TestSettingsPanel::pitchHandler()
{
    // Every click is heard: the pitch moves by a whole 50 Hz step and the box
    // shows the pitch heard, also after Random mode drew an odd position.
    auto *udPitch = w.child<UpDownSpinner>("udPitch");
    auto *edtPitch = w.child<QLineEdit>("edtPitch");
    const struct { int from; int steps; int heard; } clicks[] = {
        {-1, 1, 750}, {-1, 1, 800}, {-1, -3, 650}, {737, 0, 750}, {-1, 1, 800}, {1480, 1, 1500}, {-1, 1, 1500},
    };
    for (const auto &click : clicks) {
        if (click.from >= 0)
            w.window->callSignPage().setPitchPosition(click.from);
        udPitch->stepBy(click.steps);
        QCOMPARE(w.window->keying().freq, click.heard);
        QCOMPARE(edtPitch->text(), QString::number(click.heard));
    }
}

void TestSettingsPanel::spacingHandler_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("spaceExtra");
    QTest::newRow("6") << 6 << 6;
    QTest::newRow("7") << 7 << 9;
    QTest::newRow("13") << 13 << 27;
}

void TestSettingsPanel::spacingHandler()
{
    QVERIFY(!w.child<QComboBox>("cbbSpacing")->isEditable());  // a list to choose from, nothing to type
    QFETCH(int, index);
    QFETCH(int, spaceExtra);
    w.child<QComboBox>("cbbSpacing")->setCurrentIndex(index);
    QCOMPARE(w.window->keying().space_extra, spaceExtra);
}

void TestSettingsPanel::badRatioIsRefusedWhereTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a number") << u"abc"_qs << u"'abc' は整数ではありません"_qs;
    QTest::newRow("too long to fit") << u"99"_qs << u"符号比率 '99' では文字が長すぎて送出できません"_qs;
}

void TestSettingsPanel::badRatioIsRefusedWhereTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    auto *ratio = w.child<QLineEdit>("edtRatio");
    ratio->setText(u"4"_qs);
    ratio->setText(typed);
    QVERIFY(ratio->toolTip().contains(message));  // the box says why
    QCOMPARE(w.window->sequencer().ratioText(), u"4"_qs);  // sending goes on with the last good ratio
    // Start with the typo in the box: the message, and nothing sounds.
    w.child<QTabWidget>("PageControlMode")->setCurrentIndex(1);
    w.window->plainTextPage().setMemoText(u"TEST"_qs);
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(w.dialogs->errors.size(), 1);
    QVERIFY(w.dialogs->errors[0].contains(message));
    QCOMPARE(w.output->written.size(), 0);
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    ratio->setText(u"5"_qs);
    QCOMPARE(ratio->toolTip(), QString());
    QCOMPARE(w.window->sequencer().ratioText(), u"5"_qs);
}

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
