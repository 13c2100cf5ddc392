// The shell: start-up state and the sound device.
#include "ui/WindowFixture.h"

#include "ui/window/QtTranslations.h"


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
    QCOMPARE(hinted, (QStringList{u"btnCallRead"_qs, u"btnConditions"_qs, u"btnFolderSelect"_qs, u"edtCallInput"_qs,
                                  u"mmoCharacter"_qs, u"rbModeRandom"_qs, u"rbModeStep"_qs}));
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
