// The plain-text page: ticker, Stop, random files, loading and pasting.
#include "ui/WindowFixture.h"


#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestPlainTextPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void tickerBeforeSending();
    void tickerAfterSending();
    void stopResetsThePlainTextTab();
    void emptyMemoSendsNothing();
    void buttonsShowTheTrueState();
    void runEndingOnTheOtherTab();
    void randomFileModeWithAnEmptyFolder();
    void randomFileModeWithAnEmptyFile();
    void randomFileModeSendsAPickedFile();
    void failedLoadKeepsTheMemo();
    void loadReplacesTheMemo();
    void filteredPaste();

private:
    WindowFixture w;
};

void TestPlainTextPage::tickerBeforeSending()
{
    w.startOnPlainTextTab(u"CQ [AR]"_qs);
    QVERIFY(!w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(w.child<QPushButton>("btnStop")->isEnabled());
    QVERIFY(w.child<QTimer>("tmrPerMinute")->isActive());
    QCOMPARE(w.window->sequencer().send_text, u"CQ +"_qs);
    auto *lblChar = w.child<QLabel>("lblChar");
    QCOMPARE(lblChar->text(), QString());     // not shown before it sounds
    const quint64 c = w.output->lastTag();
    w.output->take(c);
    w.output->start(c);
    QCOMPARE(lblChar->text(), u"C"_qs);
    w.output->finish(c);
    w.playAll();
    QCOMPARE(lblChar->text(), u"CQ +"_qs);
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(!w.child<QTimer>("tmrPerMinute")->isActive());
    QCOMPARE(w.window->statusText(1), QString());
}

void TestPlainTextPage::tickerAfterSending()
{
    w.child<QCheckBox>("chkMojiPosi")->setChecked(true);
    w.startOnPlainTextTab(u"AB\r\nC"_qs);
    auto *lblChar = w.child<QLabel>("lblChar");
    const quint64 a = w.output->lastTag();
    w.output->take(a);
    w.output->start(a);
    QCOMPARE(lblChar->text(), QString());
    w.output->finish(a);
    QCOMPARE(lblChar->text(), u"A"_qs);
    w.playAll();
    QCOMPARE(lblChar->text(), u"AB C"_qs);   // the line break sounds as a word space
}

void TestPlainTextPage::stopResetsThePlainTextTab()
{
    w.child<QCheckBox>("chkTextRandom")->setChecked(true);
    QVERIFY(!w.child<QLineEdit>("edtFolder")->isHidden());
    w.child<QCheckBox>("chkTextRandom")->setChecked(false);
    w.startOnPlainTextTab(u"PARIS"_qs);
    w.child<QCheckBox>("chkTextRandom")->setChecked(true);
    const quint64 p = w.output->lastTag();
    w.output->take(p);
    w.output->start(p);
    QTest::mouseClick(w.child<QPushButton>("btnStop"), Qt::LeftButton);
    QVERIFY(!w.child<QCheckBox>("chkTextRandom")->isChecked());
    QVERIFY(w.child<QLineEdit>("edtFolder")->isHidden());
    QCOMPARE(w.child<QLabel>("lblChar")->text(), QString());
    QCOMPARE(w.window->statusText(0), QString());
    QVERIFY(!w.child<QTimer>("tmrPerMinute")->isActive());
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    w.output->finish(p);
    QVERIFY(!w.window->sequencer().key_down());
    QVERIFY(!w.window->sequencer().restartPending());
}

void TestPlainTextPage::emptyMemoSendsNothing()
{
    for (const QString &memo : {QString(), u"\r\n\r\n"_qs}) {
        w.startOnPlainTextTab(memo);
        QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
        QVERIFY(!w.child<QPushButton>("btnStop")->isEnabled());
        QVERIFY(!w.child<QTimer>("tmrPerMinute")->isActive());
        QCOMPARE(w.output->written.size(), 0);
    }
}

void TestPlainTextPage::randomFileModeWithAnEmptyFolder()
{
    QTemporaryDir folder;
    w.window->plainTextPage().folderList().setFolder(folder.path());
    w.child<QCheckBox>("chkTextRandom")->setChecked(true);
    w.startOnPlainTextTab(u"kept"_qs);
    QCOMPARE(w.dialogs->notices, QStringList{u"テキストファイルがありません！"_qs});
    QVERIFY(w.child<QCheckBox>("chkTextRandom")->isChecked());
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QCOMPARE(w.window->plainTextPage().memoText(), u"kept"_qs);
}

void TestPlainTextPage::randomFileModeWithAnEmptyFile()
{
    QTemporaryDir folder;
    QFile empty(folder.filePath(u"empty.txt"_qs));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    w.window->plainTextPage().folderList().setFolder(folder.path());
    w.child<QCheckBox>("chkTextRandom")->setChecked(true);
    w.startOnPlainTextTab(u"old text"_qs);
    QCOMPARE(w.window->plainTextPage().memoText(), QString());
    QCOMPARE(w.window->statusText(0), u"empty.txt"_qs);
    QCOMPARE(w.output->written.size(), 0);
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(w.dialogs->notices.isEmpty());
    QVERIFY(w.child<QCheckBox>("chkTextRandom")->isChecked());
}

void TestPlainTextPage::randomFileModeSendsAPickedFile()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(u"one.txt"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("EE\nT");
    file.close();
    w.window->plainTextPage().folderList().setFolder(folder.path());
    QDir::setCurrent(QDir::tempPath());         // the pick does not depend on the working directory
    w.child<QCheckBox>("chkTextRandom")->setChecked(true);
    w.startOnPlainTextTab(QString());
    QCOMPARE(w.window->plainTextPage().memoText(), u"EE\r\nT"_qs);
    QCOMPARE(w.window->sequencer().send_text, u"EE T"_qs);
    w.playAll();
    // The pause before the next file: Stop can end it, then the next pick,
    // also when the call-sign tab shows by then.
    QVERIFY(w.window->sequencer().restartPending());
    QVERIFY(!w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(w.child<QPushButton>("btnStop")->isEnabled());
    w.child<QTabWidget>("PageControlMode")->setCurrentIndex(0);
    w.window->sequencer().restartAfterPause();
    QVERIFY(w.window->sequencer().key_down());
    QCOMPARE(w.window->sequencer().send_text, u"EE T"_qs);
    QCOMPARE(w.output->written.size(), 5);

    // Unticking ランダム受信 in the next pause cancels the restart.
    w.playAll();
    QVERIFY(w.window->sequencer().restartPending());
    w.child<QCheckBox>("chkTextRandom")->setChecked(false);
    QVERIFY(!w.window->sequencer().restartPending());
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(!w.child<QPushButton>("btnStop")->isEnabled());
}

void TestPlainTextPage::failedLoadKeepsTheMemo()
{
    w.window->plainTextPage().setMemoText(u"my own text"_qs);
    w.dialogs->fileToOpen = u"/nonexistent/file.txt"_qs;
    QTest::mouseClick(w.child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(w.dialogs->errors, QStringList{u"ファイルが読めませんでした."_qs});
    QCOMPARE(w.window->plainTextPage().memoText(), u"my own text"_qs);
    QTemporaryDir folder;
    w.dialogs->fileToOpen = folder.path();        // a folder cannot be read as a file
    QTest::mouseClick(w.child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(w.dialogs->errors.size(), 2);
    QVERIFY(w.dialogs->errors[1].contains(folder.path()));
    QCOMPARE(w.window->plainTextPage().memoText(), u"my own text"_qs);
    QCOMPARE(w.dialogs->openFolders, (QStringList{QString(), QString()}));  // no file loaded yet
}

void TestPlainTextPage::loadReplacesTheMemo()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(u"text.txt"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" "CQ\nDE JA1ABC");
    file.close();
    w.window->plainTextPage().setMemoText(u"old"_qs);
    w.dialogs->fileToOpen = file.fileName();
    QTest::mouseClick(w.child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(w.window->plainTextPage().memoText(), u"CQ\r\nDE JA1ABC"_qs);
    QVERIFY(w.dialogs->errors.isEmpty());
    // The next load starts where this file was found.
    w.dialogs->fileToOpen.clear();
    QTest::mouseClick(w.child<QPushButton>("btnReadText"), Qt::LeftButton);
    QCOMPARE(w.dialogs->openFolders.last(), folder.path());
}

void TestPlainTextPage::filteredPaste()
{
    w.dialogs->clipboard = u"日本 です。\r\nHello, World!"_qs;
    w.window->plainTextPage().mniN2Click();
    QCOMPARE(w.window->plainTextPage().memoText(), u"です。\r\nHello,World!"_qs);
    w.child<QPlainTextEdit>("mmoCharacter")->selectAll();
    w.dialogs->clipboard = u"漢字"_qs;
    w.window->plainTextPage().mniN2Click();                       // only kanji: the selection is deleted
    QCOMPARE(w.window->plainTextPage().memoText(), QString());
    w.dialogs->clipboard = u"a b\u0000ignored"_qs;
    w.window->plainTextPage().mniN1Click();
    QCOMPARE(w.window->plainTextPage().memoText(), u"a b"_qs);
}

void TestPlainTextPage::buttonsShowTheTrueState()
{
    // Start pressed right after Stop, while the last character still sounds:
    // the new text takes over, and Stop must still be able to end it.
    auto *start = w.child<QPushButton>("btnStart");
    auto *stop = w.child<QPushButton>("btnStop");
    w.startOnPlainTextTab(u"PARIS"_qs);
    const quint64 p = w.output->lastTag();
    w.output->take(p);
    w.output->start(p);
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(start->isEnabled());
    w.window->plainTextPage().setMemoText(u"TEST"_qs);
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(w.window->sequencer().key_down());
    QVERIFY(!start->isEnabled());
    QVERIFY(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    w.playAll();
    QVERIFY(!w.window->sequencer().key_down());
    QVERIFY(start->isEnabled());
    QVERIFY(!stop->isEnabled());
}

void TestPlainTextPage::runEndingOnTheOtherTab()
{
    // A text ends, or is stopped, while the call-sign tab shows: the window
    // still returns to rest.
    auto *timer = w.child<QTimer>("tmrPerMinute");
    for (const bool stopIt : {false, true}) {
        w.startOnPlainTextTab(u"EE"_qs);
        w.child<QTabWidget>("PageControlMode")->setCurrentIndex(0);
        if (stopIt)
            QTest::mouseClick(w.child<QPushButton>("btnStop"), Qt::LeftButton);
        w.playAll();
        QVERIFY(!w.window->sequencer().key_down());
        QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
        QVERIFY(!w.child<QPushButton>("btnStop")->isEnabled());
        QVERIFY(!timer->isActive());
    }
}

QTEST_MAIN(TestPlainTextPage)
#include "tst_plaintextpage.moc"
