// The shell: start-up state and the sound device.
#include "ui/WindowFixture.h"

#include "ui/style/DarkStyle.h"
#include "ui/window/QtTranslations.h"


#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void startUpState();
    void noSoundDeviceWarnsAndTheWindowWorks();
    void qtSpeaksTheLocaleLanguage_data();
    void qtSpeaksTheLocaleLanguage();
    void callSignTabFocusFollowsTheLayout();
    void functionKeysStartAndStop_data();
    void functionKeysStartAndStop();
    void stopLeavesTheFocusWhereTheUserTypes_data();
    void stopLeavesTheFocusWhereTheUserTypes();

private:
    WindowFixture w;
};

void TestMainWindow::startUpState()
{
    QCOMPARE(w.window->windowTitle(), u"KEYLARK v.0.72 by TAVRIL"_qs);
    QCOMPARE(w.window->size(), QSize(729, 407));
    QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
    QVERIFY(!(w.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.child<QLabel>("lblChar")->text(), QString());
    QCOMPARE(w.window->statusText(0), QString());
    QCOMPARE(w.window->statusText(1), QString());
    QCOMPARE(w.window->plainTextPage().memoText(), QString());
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(!w.child<QPushButton>("btnStop")->isEnabled());
    QVERIFY(w.child<QFrame>("PanelCount")->isHidden());
    QVERIFY(w.child<QLineEdit>("edtFolder")->isHidden());
    QVERIFY(w.child<QPushButton>("btnFolderSelect")->isHidden());
    QCOMPARE(w.child<QLineEdit>("edtFolder")->text(),
             QDir::toNativeSeparators(QDir::currentPath() + u'/'));  // where random files are read
    // Every year from the one before today's down to 2009, the newest selected.
    auto *years = w.child<QComboBox>("cbbCallList");
    const int newest = QDate::currentDate().year() - 1;
    QCOMPARE(years->currentIndex(), 0);
    QCOMPARE(years->currentText(), QStringLiteral("%1 CQ WW DX CW").arg(newest));
    QCOMPARE(years->count(), newest - 2009 + 1);
    QCOMPARE(years->itemText(years->count() - 1), u"2009 CQ WW DX CW"_qs);
    QVERIFY(!w.child<QTimer>("tmrPerMinute")->isActive());
    QCOMPARE(w.child<QTimer>("tmrPerMinute")->interval(), 2000);
    QCOMPARE(w.child<QTabWidget>("PageControlMode")->currentIndex(), 0);
    QCOMPARE(w.child<QTabWidget>("PageControlMode")->tabPosition(), QTabWidget::South);
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(w.child<QRadioButton>("rbCallDX")->isChecked());
    QVERIFY(!w.child<QCheckBox>("chkCallStream")->isChecked());
    QVERIFY(!w.child<QCheckBox>("chkTextRandom")->isChecked());
    QVERIFY(!w.child<QCheckBox>("chkMojiPosi")->isChecked());
    QCOMPARE(w.window->keying().dot_samples, 384);
    QCOMPARE(w.window->keying().freq, 700);
    QCOMPARE(w.window->keying().space_extra, 0);
    QVERIFY(w.dialogs->warnings.isEmpty());
    QVERIFY(w.output->isOpen());
    // Exactly seven controls carry a hint.
    QStringList hinted;
    for (QWidget *w : w.window->findChildren<QWidget *>()) {
        if (!w->toolTip().isEmpty())
            hinted << w->objectName();
    }
    hinted.sort();
    QCOMPARE(hinted, (QStringList{u"btnCallRead"_qs, u"btnConditions"_qs, u"btnFolderSelect"_qs, u"btnStart"_qs,
                                  u"btnStop"_qs, u"edtCallInput"_qs, u"mmoCharacter"_qs, u"rbModeRandom"_qs,
                                  u"rbModeStep"_qs}));
    QCOMPARE(w.child<QPushButton>("btnStart")->toolTip(), u"開始 (F9)"_qs);
    QCOMPARE(w.child<QPushButton>("btnStop")->toolTip(), u"停止 (F10, Esc)"_qs);
}

void TestMainWindow::noSoundDeviceWarnsAndTheWindowWorks()
{
    w.window.reset();
    w.make(6);
    const QString warning = u"警告: Error opening waveform audio!\r\nno device driver present\r\n"
                            u"サウンドサーバー（PulseAudio または PipeWire）が応答しませんでした。"
                            u"開始を押すと、もう一度接続を試みます。"_qs;
    QCOMPARE(w.dialogs->warnings, QStringList{warning});
    w.startOnPlainTextTab(u"CQ"_qs);
    QVERIFY(!w.window->sequencer().key_down());  // nothing hangs
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QCOMPARE(w.dialogs->warnings, (QStringList{warning, warning}));  // the Start tried the device once more
}

void TestMainWindow::qtSpeaksTheLocaleLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("cancel");
    // English first: a translator once installed stays for the process.
    QTest::newRow("English") << u"en_US"_qs << false << u"Cancel"_qs;
    QTest::newRow("Japanese") << u"ja_JP"_qs << true << u"キャンセル"_qs;
}

void TestMainWindow::qtSpeaksTheLocaleLanguage()
{
    QFETCH(QString, locale);
    QFETCH(bool, installed);
    QFETCH(QString, cancel);
    QCOMPARE(installQtTranslations(*QCoreApplication::instance(), QLocale(locale)), installed);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
}

// Tab walks the call-sign tab as it is laid out: the list, the reading group
// row by row, the practice group, the answer box, the tabs, then the settings
// column and Start and Stop, and round again. Every stop shows its focus.
void TestMainWindow::callSignTabFocusFollowsTheLayout()
{
    QApplication::setStyle(new DarkStyle);
    QApplication::setPalette(DarkStyle::darkPalette());
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w.child<QWidget>("lvCallList")->setFocus(Qt::TabFocusReason);
    QStringList chain;
    for (int step = 0; step < 40; ++step) {
        QWidget *stop = QApplication::focusWidget();
        QVERIFY(stop);
        if (!chain.isEmpty() && stop->objectName() == chain.first())
            break;
        chain << stop->objectName();
        QVERIFY2(stop->isVisible() && stop->isEnabled(), qPrintable(stop->objectName()));
        const QImage focused = stop->grab().toImage();
        QTest::keyClick(stop, Qt::Key_Tab);
        QVERIFY2(stop->grab().toImage() != focused, qPrintable(stop->objectName() + u" shows no focus"_qs));
    }
    QCOMPARE(chain, (QStringList{u"lvCallList"_qs, u"rbCallDX"_qs, u"btnCallFile"_qs, u"cbbCallList"_qs,
                                 u"btnCallRead"_qs, u"rbModeNormal"_qs, u"chkCallStream"_qs, u"btnConditions"_qs,
                                 u"edtCallInput"_qs, u"qt_tabwidget_tabbar"_qs, u"edtSpeed"_qs, u"edtPitch"_qs,
                                 u"cbbSpacing"_qs, u"tbVolume"_qs, u"edtRatio"_qs, u"btnStart"_qs}));
}

void TestMainWindow::functionKeysStartAndStop_data()
{
    QTest::addColumn<bool>("sending");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("sendingAfter");
    QTest::newRow("F9 starts") << false << int(Qt::Key_F9) << true;
    QTest::newRow("F9 while sending") << true << int(Qt::Key_F9) << true;
    QTest::newRow("F10 stops") << true << int(Qt::Key_F10) << false;
    QTest::newRow("Esc stops") << true << int(Qt::Key_Escape) << false;
    QTest::newRow("F10 with nothing sent") << false << int(Qt::Key_F10) << false;
}

// Start and Stop from the keyboard, wherever the focus is in the window.
void TestMainWindow::functionKeysStartAndStop()
{
    QFETCH(bool, sending);
    QFETCH(int, key);
    QFETCH(bool, sendingAfter);
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w.child<QTabWidget>("PageControlMode")->setCurrentIndex(1);
    w.window->plainTextPage().setMemoText(u"CQ CQ"_qs);
    if (sending)
        QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    const int queued = w.output->pending.size();
    auto *memo = w.child<QWidget>("mmoCharacter");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key(key));
    QTRY_COMPARE(w.child<QPushButton>("btnStop")->isEnabled(), sendingAfter);
    QCOMPARE(w.child<QPushButton>("btnStart")->isEnabled(), !sendingAfter);
    QCOMPARE(w.output->pending.size() > queued, sendingAfter && !sending);  // sound only from a new start
}

void TestMainWindow::stopLeavesTheFocusWhereTheUserTypes_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("typingBox");
    QTest::newRow("call signs") << 0 << u"edtCallInput"_qs;
    QTest::newRow("plain text") << 1 << u"mmoCharacter"_qs;
}

// Stop pressed from the keyboard is disabled at once; the focus goes back to
// where the user types, never on to the speed box.
void TestMainWindow::stopLeavesTheFocusWhereTheUserTypes()
{
    QFETCH(int, tab);
    QFETCH(QString, typingBox);
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    if (tab == 0)
        w.readList("<a href=\"ja1abc.log\">ja1abc</a>");
    w.child<QTabWidget>("PageControlMode")->setCurrentIndex(tab);
    w.window->plainTextPage().setMemoText(u"CQ CQ"_qs);
    auto *stop = w.child<QPushButton>("btnStop");
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QVERIFY(stop->isEnabled());
    stop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(stop, Qt::Key_Space);
    QTRY_VERIFY(!stop->isEnabled());
    QCOMPARE(QApplication::focusWidget()->objectName(), typingBox);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
