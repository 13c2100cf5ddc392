// The settings group: speed, pitch and spacing handlers.
#include "WindowFixture.h"

#include "ui/UpDownSpinner.h"

#include <QComboBox>
#include <QLineEdit>
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

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
