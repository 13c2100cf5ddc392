#include "ui/main.h"
#include "ui/UpDownSpinner.h"

#include "fakes/RecordingUiDialogs.h"
#include "fakes/ScriptedHttpClient.h"
#include "fakes/ScriptedSoundOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startUpState();
    void speedHandler();
    void pitchHandler();
    void spacingHandler_data();
    void spacingHandler();
    void noSoundDeviceWarnsAndTheWindowWorks();
    void tickerBeforeSending();
    void tickerAfterSending();
    void stopResetsThePlainTextTab();
    void emptyMemoSendsNothing();
    void randomFileModeWithAnEmptyFolder();
    void randomFileModeWithAnEmptyFile();
    void randomFileModeSendsAPickedFile();
    void failedLoadKeepsTheMemo();
    void loadReplacesTheMemo();
    void filteredPaste();
    void callSignInputBox();
    void streamTickBoxHoldsNormalMode();
    void readListThenDrill();
    void failedReadShowsTheMaintenanceMessage();

private:
    template <typename T>
    T *child(const char *name)
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void makeWindow(int openResult = 0)
    {
        output = new ScriptedSoundOutput;
        output->openResult = openResult;
        http = new ScriptedHttpClient;
        dialogs = new RecordingUiDialogs;
        window = std::make_unique<TfrmMain>(output, http, dialogs);
    }
    void playAll()
    {
        while (!output->pending.isEmpty())
            output->playOldest();
    }
    void startOnPlainTextTab(const QString &memo)
    {
        child<QTabWidget>("PageControlMode")->setCurrentIndex(1);
        window->setMemoText(memo);
        QTest::mouseClick(child<QPushButton>("btnStart"), Qt::LeftButton);
    }

    ScriptedSoundOutput *output = nullptr;
    ScriptedHttpClient *http = nullptr;
    RecordingUiDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

void TestMainWindow::init()
{
    makeWindow();
}

void TestMainWindow::cleanup()
{
    window.reset();
}

void TestMainWindow::startUpState()
{
    QCOMPARE(window->windowTitle(), u"KEYLARK v.0.72 by TAVRIL"_qs);
    QCOMPARE(window->size(), QSize(729, 407));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(child<QLabel>("lblChar")->text(), QString());
    QCOMPARE(window->statusText(0), QString());
    QCOMPARE(window->statusText(1), QString());
    QCOMPARE(window->memoText(), QString());
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(!child<QPushButton>("btnStop")->isEnabled());
    QVERIFY(child<QFrame>("PanelCount")->isHidden());
    QVERIFY(child<QLineEdit>("edtFolder")->isHidden());
    QVERIFY(child<QPushButton>("btnFolderSelect")->isHidden());
    QCOMPARE(child<QLineEdit>("edtFolder")->text(),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/'));
    QCOMPARE(child<QComboBox>("cbbCallList")->currentText(), u"2017 CQ WW DX CW"_qs);
    QVERIFY(!child<QTimer>("tmrPerMinute")->isActive());
    QCOMPARE(child<QTimer>("tmrPerMinute")->interval(), 2000);
    QCOMPARE(child<QTabWidget>("PageControlMode")->currentIndex(), 0);
    QCOMPARE(child<QTabWidget>("PageControlMode")->tabPosition(), QTabWidget::South);
    QVERIFY(child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(child<QRadioButton>("rbCallDX")->isChecked());
    QVERIFY(!child<QCheckBox>("chkCallStream")->isChecked());
    QVERIFY(!child<QCheckBox>("chkTextRandom")->isChecked());
    QVERIFY(!child<QCheckBox>("chkMojiPosi")->isChecked());
    QCOMPARE(window->keying().dot_samples, 384);
    QCOMPARE(window->keying().freq, 700);
    QCOMPARE(window->keying().space_extra, 0);
    QVERIFY(dialogs->warnings.isEmpty());
    QVERIFY(output->isOpen());
    // Exactly five controls carry a hint.
    QStringList hinted;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->toolTip().isEmpty())
            hinted << w->objectName();
    }
    hinted.sort();
    QCOMPARE(hinted, (QStringList{u"btnCallRead"_qs, u"btnFolderSelect"_qs, u"mmoCharacter"_qs,
                                  u"rbModeRandom"_qs, u"rbModeStep"_qs}));
}

void TestMainWindow::speedHandler()
{
    auto *udSpeed = child<UpDownSpinner>("udSpeed");
    udSpeed->setPosition(11);
    QCOMPARE(child<QLineEdit>("edtSpeed")->text(), u"11"_qs);
    QCOMPARE(window->keying().dot_samples, 872);
    udSpeed->setPosition(99);                 // stops at its limit
    QCOMPARE(child<QLineEdit>("edtSpeed")->text(), u"60"_qs);
    QCOMPARE(window->keying().dot_samples, 160);
    QTest::keyClick(child<QLineEdit>("edtSpeed"), Qt::Key_Down);  // arrow keys step the spinner
    QCOMPARE(window->keying().dot_samples, 9600 / 59);
    QVERIFY(child<QLineEdit>("edtSpeed")->isReadOnly());
}

void TestMainWindow::pitchHandler()
{
    auto *udPitch = child<UpDownSpinner>("udPitch");
    QList<int> freqs;
    QStringList shown;
    for (int i = 0; i < 8; ++i) {
        udPitch->stepBy(1);
        freqs << window->keying().freq;
        shown << child<QLineEdit>("edtPitch")->text();
    }
    QCOMPARE(udPitch->position(), 780);
    QCOMPARE(freqs, (QList<int>{700, 700, 750, 750, 750, 750, 750, 800}));
    QCOMPARE(shown, (QStringList{u"700"_qs, u"700"_qs, u"750"_qs, u"750"_qs, u"750"_qs, u"750"_qs,
                                 u"750"_qs, u"800"_qs}));
}

void TestMainWindow::spacingHandler_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("spaceExtra");
    QTest::newRow("6") << 6 << 6;
    QTest::newRow("7") << 7 << 9;
    QTest::newRow("13") << 13 << 27;
}

void TestMainWindow::spacingHandler()
{
    QFETCH(int, index);
    QFETCH(int, spaceExtra);
    child<QComboBox>("cbbSpacing")->setCurrentIndex(index);
    QCOMPARE(window->keying().space_extra, spaceExtra);
}

void TestMainWindow::noSoundDeviceWarnsAndTheWindowWorks()
{
    window.reset();
    makeWindow(6);
    QCOMPARE(dialogs->warnings,
             QStringList{u"警告: Error opening waveform audio!\r\nno device driver present"_qs});
    startOnPlainTextTab(u"CQ"_qs);
    QVERIFY(!window->sequencer().key_down());  // nothing hangs
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
    QCOMPARE(dialogs->warnings.size(), 2);     // the Start tried the device once more
}

void TestMainWindow::tickerBeforeSending()
{
    startOnPlainTextTab(u"CQ [AR]"_qs);
    QVERIFY(!child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(child<QPushButton>("btnStop")->isEnabled());
    QVERIFY(child<QTimer>("tmrPerMinute")->isActive());
    QCOMPARE(window->sequencer().send_text, u"CQ +"_qs);
    auto *lblChar = child<QLabel>("lblChar");
    QCOMPARE(lblChar->text(), QString());     // not shown before it sounds
    const quint64 c = output->lastTag();
    output->take(c);
    output->start(c);
    QCOMPARE(lblChar->text(), u"C"_qs);
    output->finish(c);
    playAll();
    QCOMPARE(lblChar->text(), u"CQ +"_qs);
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(!child<QTimer>("tmrPerMinute")->isActive());
    QCOMPARE(window->statusText(1), QString());
}

void TestMainWindow::tickerAfterSending()
{
    child<QCheckBox>("chkMojiPosi")->setChecked(true);
    startOnPlainTextTab(u"AB\r\nC"_qs);
    auto *lblChar = child<QLabel>("lblChar");
    const quint64 a = output->lastTag();
    output->take(a);
    output->start(a);
    QCOMPARE(lblChar->text(), QString());
    output->finish(a);
    QCOMPARE(lblChar->text(), u"A"_qs);
    playAll();
    QCOMPARE(lblChar->text(), u"AB C"_qs);   // the line break sounds as a word space
}

void TestMainWindow::stopResetsThePlainTextTab()
{
    child<QCheckBox>("chkTextRandom")->setChecked(true);
    QVERIFY(!child<QLineEdit>("edtFolder")->isHidden());
    child<QCheckBox>("chkTextRandom")->setChecked(false);
    startOnPlainTextTab(u"PARIS"_qs);
    child<QCheckBox>("chkTextRandom")->setChecked(true);
    const quint64 p = output->lastTag();
    output->take(p);
    output->start(p);
    QTest::mouseClick(child<QPushButton>("btnStop"), Qt::LeftButton);
    QVERIFY(!child<QCheckBox>("chkTextRandom")->isChecked());
    QVERIFY(child<QLineEdit>("edtFolder")->isHidden());
    QCOMPARE(child<QLabel>("lblChar")->text(), QString());
    QCOMPARE(window->statusText(0), QString());
    QVERIFY(!child<QTimer>("tmrPerMinute")->isActive());
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
    output->finish(p);
    QVERIFY(!window->sequencer().key_down());
    QVERIFY(!window->sequencer().restartPending());
}

void TestMainWindow::emptyMemoSendsNothing()
{
    for (const QString &memo : {QString(), u"\r\n\r\n"_qs}) {
        startOnPlainTextTab(memo);
        QVERIFY(child<QPushButton>("btnStart")->isEnabled());
        QVERIFY(!child<QPushButton>("btnStop")->isEnabled());
        QVERIFY(!child<QTimer>("tmrPerMinute")->isActive());
        QCOMPARE(output->written.size(), 0);
    }
}

void TestMainWindow::randomFileModeWithAnEmptyFolder()
{
    QTemporaryDir folder;
    window->folderList().setFolder(folder.path());
    child<QCheckBox>("chkTextRandom")->setChecked(true);
    startOnPlainTextTab(u"kept"_qs);
    QCOMPARE(dialogs->notices, QStringList{u"テキストファイルがありません！"_qs});
    QVERIFY(child<QCheckBox>("chkTextRandom")->isChecked());
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
    QCOMPARE(window->memoText(), u"kept"_qs);
}

void TestMainWindow::randomFileModeWithAnEmptyFile()
{
    QTemporaryDir folder;
    QFile empty(folder.filePath(u"empty.txt"_qs));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    window->folderList().setFolder(folder.path());
    child<QCheckBox>("chkTextRandom")->setChecked(true);
    startOnPlainTextTab(u"old text"_qs);
    QCOMPARE(window->memoText(), QString());
    QCOMPARE(window->statusText(0), u"empty.txt"_qs);
    QCOMPARE(output->written.size(), 0);
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(dialogs->notices.isEmpty());
    QVERIFY(child<QCheckBox>("chkTextRandom")->isChecked());
}

void TestMainWindow::randomFileModeSendsAPickedFile()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(u"one.txt"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("EE\nT");
    file.close();
    window->folderList().setFolder(folder.path());
    QDir::setCurrent(QDir::tempPath());         // the pick does not depend on the working directory
    child<QCheckBox>("chkTextRandom")->setChecked(true);
    startOnPlainTextTab(QString());
    QCOMPARE(window->memoText(), u"EE\r\nT"_qs);
    QCOMPARE(window->sequencer().send_text, u"EE T"_qs);
    playAll();
    // The pause before the next file: Stop can end it, then the next pick.
    QVERIFY(window->sequencer().restartPending());
    QVERIFY(!child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(child<QPushButton>("btnStop")->isEnabled());
    window->sequencer().restartAfterPause();
    QVERIFY(window->sequencer().key_down());
    QCOMPARE(output->written.size(), 5);
}

void TestMainWindow::failedLoadKeepsTheMemo()
{
    window->setMemoText(u"my own text"_qs);
    dialogs->fileToOpen = u"/nonexistent/file.txt"_qs;
    QTest::mouseClick(child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(dialogs->errors, QStringList{u"ファイルが読めませんでした."_qs});
    QCOMPARE(window->memoText(), u"my own text"_qs);
    QTemporaryDir folder;
    dialogs->fileToOpen = folder.path();        // a folder cannot be read as a file
    QTest::mouseClick(child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(dialogs->errors.size(), 2);
    QVERIFY(dialogs->errors[1].contains(folder.path()));
    QCOMPARE(window->memoText(), u"my own text"_qs);
    // The dialog opens in the program's folder from the first confirmed choice on.
    QCOMPARE(dialogs->openFolders, (QStringList{QString(), QCoreApplication::applicationDirPath()}));
}

void TestMainWindow::loadReplacesTheMemo()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(u"text.txt"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" "CQ\nDE JA1ABC");
    file.close();
    window->setMemoText(u"old"_qs);
    dialogs->fileToOpen = file.fileName();
    QTest::mouseClick(child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(window->memoText(), u"CQ\r\nDE JA1ABC"_qs);
    QVERIFY(dialogs->errors.isEmpty());
}

void TestMainWindow::filteredPaste()
{
    dialogs->clipboard = u"日本 です。\r\nHello, World!"_qs;
    window->mniN2Click();
    QCOMPARE(window->memoText(), u"です。\r\nHello,World!"_qs);
    child<QPlainTextEdit>("mmoCharacter")->selectAll();
    dialogs->clipboard = u"漢字"_qs;
    window->mniN2Click();                       // only kanji: the selection is deleted
    QCOMPARE(window->memoText(), QString());
    dialogs->clipboard = u"a b\u0000ignored"_qs;
    window->mniN1Click();
    QCOMPARE(window->memoText(), u"a b"_qs);
}

void TestMainWindow::callSignInputBox()
{
    auto *box = child<QLineEdit>("edtCallInput");
    QTest::keyClicks(box, u"ja1abc/p"_qs);
    QCOMPARE(box->text(), u"JA1ABC/P"_qs);
    QTest::keyClicks(box, u"0123456789abcdef"_qs);
    QCOMPARE(box->text().size(), 20);
}

void TestMainWindow::streamTickBoxHoldsNormalMode()
{
    child<QRadioButton>("rbModeRandom")->setChecked(true);
    child<QCheckBox>("chkCallStream")->setChecked(true);
    QVERIFY(child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(!child<QRadioButton>("rbModeStep")->isEnabled());
    QVERIFY(!child<QRadioButton>("rbModeRandom")->isEnabled());
    QVERIFY(child<QLineEdit>("edtCallInput")->isReadOnly());
    child<QCheckBox>("chkCallStream")->setChecked(false);
    QVERIFY(child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(child<QRadioButton>("rbModeStep")->isEnabled());
    QVERIFY(!child<QLineEdit>("edtCallInput")->isReadOnly());
}

void TestMainWindow::readListThenDrill()
{
    auto *read = child<QPushButton>("btnCallRead");
    QTest::mouseClick(read, Qt::LeftButton);
    QVERIFY(!read->isEnabled());
    QCOMPARE(window->statusText(0), u"読込中..."_qs);
    http->deliver("<tr><td><a href=\"k1abc.log\">k1abc</a></td></tr>");
    http->deliver("<tr><td><a href=\"k1abc.log\">k1abc</a></td></tr>");
    http->finish();
    QTRY_VERIFY(read->isEnabled());
    QCOMPARE(window->callSigns(), (QStringList{u"K1ABC"_qs, u"K1ABC"_qs}));
    QCOMPARE(window->statusText(0), u"CQ World Wide DX Contest : 2局"_qs);

    QTest::mouseClick(child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(window->sequencer().send_text, u"K1ABC"_qs);
    auto *box = child<QLineEdit>("edtCallInput");
    QTest::keyClicks(box, u"k1abc"_qs);
    QTest::keyClick(box, Qt::Key_Return);
    auto *list = child<QTreeWidget>("lvCallList");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), u"1"_qs);
    QCOMPARE(list->topLevelItem(0)->text(1), u"K1ABC"_qs);
    QCOMPARE(list->topLevelItem(0)->text(3), u"25"_qs);
    QCOMPARE(list->topLevelItem(0)->text(4), u"OK"_qs);
    QCOMPARE(list->currentItem(), list->topLevelItem(0));
    QVERIFY(!child<QFrame>("PanelCount")->isHidden());
    QCOMPARE(child<QLabel>("LabelCount")->text(), u"1/1 (100%)"_qs);
    QCOMPARE(box->text(), QString());
}

void TestMainWindow::failedReadShowsTheMaintenanceMessage()
{
    QTest::mouseClick(child<QPushButton>("btnCallRead"), Qt::LeftButton);
    http->finish(u"connection refused"_qs);
    QTRY_VERIFY(child<QPushButton>("btnCallRead")->isEnabled());
    QCOMPARE(window->statusText(0), u"CQ World Wide DX Contest : 0局"_qs);
    QCOMPARE(dialogs->notices,
             QStringList{u"ウェブサイトがメンテ中かもしれません。\r\n\r\nしばらくしてからやり直して下さい。"_qs});
    QTest::mouseClick(child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(dialogs->notices.last(), u"Call Sign を読み込んでください。"_qs);
    QVERIFY(child<QPushButton>("btnStart")->isEnabled());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
