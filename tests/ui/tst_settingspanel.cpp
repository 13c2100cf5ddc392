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
    auto *udPitch = w.child<UpDownSpinner>("udPitch");
    QList<int> freqs;
    QStringList shown;
    for (int i = 0; i < 8; ++i) {
        udPitch->stepBy(1);
        freqs << w.window->keying().freq;
        shown << w.child<QLineEdit>("edtPitch")->text();
    }
    QCOMPARE(udPitch->position(), 780);
    QCOMPARE(freqs, (QList<int>{700, 700, 750, 750, 750, 750, 750, 800}));
    QCOMPARE(shown, (QStringList{u"700"_qs, u"700"_qs, u"750"_qs, u"750"_qs, u"750"_qs, u"750"_qs,
                                 u"750"_qs, u"800"_qs}));
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
    QFETCH(int, index);
    QFETCH(int, spaceExtra);
    w.child<QComboBox>("cbbSpacing")->setCurrentIndex(index);
    QCOMPARE(w.window->keying().space_extra, spaceExtra);
}

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
