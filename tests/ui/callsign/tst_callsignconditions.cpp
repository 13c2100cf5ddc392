// The band's conditions on the call-sign tab: handed to the sound output for a
// drill or a stream, ended with it, never laid over anything else.
#include "ui/WindowFixture.h"

#include "conditions/ConditionsMixer.h"
#include "ui/callsign/ConditionsButton.h"
#include "ui/style/DarkStyle.h"

#include <QCheckBox>
#include <QMenu>
#include <QSpinBox>
#include <QStyleOptionButton>

class TestCallSignConditions : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void conditionsLastAsLongAsTheRun();
    void menuChoicesAreSavedAndComeBack();
    void untickedBoxesShowOnTheMenu();

private:
    void click(const char *button) { QTest::mouseClick(w.child<QPushButton>(button), Qt::LeftButton); }

    WindowFixture w;
};

void TestCallSignConditions::conditionsLastAsLongAsTheRun()
{
    w.readList("<a href=\"ja1abc.log\">ja1abc</a> <a href=\"k1zz.log\">k1zz</a>");
    auto &sets = w.output->conditions;

    // All off: nothing is laid over the call signs.
    click("btnStart");
    click("btnStop");
    w.playAll();
    QVERIFY(std::none_of(sets.cbegin(), sets.cend(), [](const auto &mixer) { return mixer != nullptr; }));

    BandConditions chosen;
    chosen.noise = true;
    chosen.snrDb = 4;
    chosen.qrm = true;
    w.child<ConditionsButton>("btnConditions")->setConditions(chosen);
    sets.clear();
    click("btnStart");
    QCOMPARE(sets.size(), 1);
    QVERIFY(sets[0] != nullptr);
    QCOMPARE(sets[0]->conditions(), chosen);
    w.playAll();  // the call sign ends; the band goes on while the answer is typed
    QCOMPARE(sets.size(), 1);
    click("btnStop");
    QCOMPARE(sets.size(), 2);
    QCOMPARE(sets[1], nullptr);

    // A stream that runs out leaves the band quiet.
    w.child<QCheckBox>("chkCallStream")->setChecked(true);
    click("btnStart");
    QCOMPARE(sets.size(), 3);
    QVERIFY(sets[2] != nullptr);
    w.playAll();
    QCOMPARE(sets.size(), 4);
    QCOMPARE(sets[3], nullptr);
    click("btnStop");

    // A text on the other tab never sounds with them.
    const qsizetype before = sets.size();
    w.startOnPlainTextTab(u"CQ"_qs);
    QVERIFY(std::none_of(sets.cbegin() + before, sets.cend(), [](const auto &mixer) { return mixer != nullptr; }));
}

void TestCallSignConditions::menuChoicesAreSavedAndComeBack()
{
    auto *button = w.child<ConditionsButton>("btnConditions");
    QCOMPARE(button->conditions(), BandConditions());  // the first start: all off
    w.child<QCheckBox>("chkQsb")->setChecked(true);
    w.child<QSpinBox>("spnQsbDepth")->setValue(22);
    w.child<QCheckBox>("chkNoise")->setChecked(true);
    w.child<QSpinBox>("spnSnr")->setValue(-3);
    w.window.reset();
    w.make(0, false);
    BandConditions expected;
    expected.qsb = true;
    expected.qsbDepthDb = 22;
    expected.noise = true;
    expected.snrDb = -3;
    QCOMPARE(w.child<ConditionsButton>("btnConditions")->conditions(), expected);
}

// The menu's ground is darker than the window's: an unticked box must still
// stand out from it, so what can be ticked is seen.
void TestCallSignConditions::untickedBoxesShowOnTheMenu()
{
    DarkStyle style;
    ConditionsButton button;
    auto *menu = button.findChild<QMenu *>();
    menu->setPalette(DarkStyle::darkPalette());
    menu->setStyle(&style);
    for (QWidget *child : menu->findChildren<QWidget *>())
        child->setStyle(&style);
    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage image = menu->grab().toImage();
    menu->hide();
    for (const char *name : {"chkNoise", "chkQsb", "chkQrm"}) {
        auto *box = menu->findChild<QCheckBox *>(QLatin1String(name));
        QVERIFY(!box->isChecked());
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator = style.subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)
                                    .translated(box->mapTo(menu, QPoint()));
        const int ground = qGray(image.pixel(indicator.left() - 3, indicator.center().y()));
        int strongest = 0;
        for (int y = indicator.top(); y <= indicator.bottom(); ++y)
            for (int x = indicator.left(); x <= indicator.right(); ++x)
                strongest = qMax(strongest, qAbs(qGray(image.pixel(x, y)) - ground));
        QVERIFY2(strongest >= 60, name);
    }
}

QTEST_MAIN(TestCallSignConditions)
#include "tst_callsignconditions.moc"
