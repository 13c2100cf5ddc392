// What outlives the window: the settings and the memo, restored at the next
// start, and a file with bad values costing only those values.
#include "ui/WindowFixture.h"

#include "ui/settings/UpDownSpinner.h"

#include "history/PracticeHistory.h"

#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class TestSavedState : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void firstStartIsTheSpecifiedOne();
    void everySettingComesBack();
    void badValuesFallBackOneByOne_data();
    void badValuesFallBackOneByOne();
    void memoComesBack();
    void keptListAndHistoryAfterARestart();

private:
    void restart()
    {
        w.window.reset();
        w.make(0, false);
    }
    void writeSettings(const QMap<QString, QString> &values)
    {
        w.window.reset();
        QFile::remove(WindowFixture::settingsPath());
        {
            QSettings file(WindowFixture::settingsPath(), QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                file.setValue(it.key(), it.value());
        }
        w.make(0, false);
    }

    WindowFixture w;
};

void TestSavedState::firstStartIsTheSpecifiedOne()
{
    // Closing an untouched window saves nothing that would change the next start.
    restart();
    QCOMPARE(w.window->keying().dot_samples, 384);
    QCOMPARE(w.window->keying().freq, 700);
    QCOMPARE(w.child<QLineEdit>("edtRatio")->text(), u"3"_qs);
    QCOMPARE(w.child<QComboBox>("cbbCallList")->currentIndex(), 0);
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());
    QCOMPARE(w.window->plainTextPage().memoText(), QString());
}

void TestSavedState::everySettingComesBack()
{
    QTemporaryDir folder;
    w.child<UpDownSpinner>("udSpeed")->setPosition(31);
    w.child<UpDownSpinner>("udPitch")->stepBy(3);
    w.child<QComboBox>("cbbSpacing")->setCurrentIndex(9);
    w.child<QSlider>("tbVolume")->setValue(7);
    w.child<UpDownSpinner>("ud1")->setPosition(4);
    w.child<QRadioButton>("rbModeStep")->setChecked(true);
    w.child<QRadioButton>("rbCallJA")->setChecked(true);
    w.child<QComboBox>("cbbCallList")->setCurrentIndex(2);
    w.child<QCheckBox>("chkMojiPosi")->setChecked(true);
    w.dialogs->folderToChoose = folder.path();
    w.window->plainTextPage().btnFolderSelectClick();
    w.child<QCheckBox>("chkCallStream")->setChecked(true);
    w.child<QComboBox>("cbbCourse")->setCurrentIndex(1);
    w.child<QComboBox>("cbbCourseMinutes")->setCurrentIndex(4);
    w.child<QComboBox>("cbbCourseSpeed")->setCurrentText(u"33 wpm"_qs);
    w.child<QCheckBox>("chkCourseShowChars")->setChecked(true);

    restart();
    QCOMPARE(w.child<QComboBox>("cbbCourse")->currentText(), u"和文"_qs);
    QCOMPARE(w.child<QComboBox>("cbbCourseMinutes")->currentText(), u"5 分"_qs);
    QCOMPARE(w.child<QComboBox>("cbbCourseSpeed")->currentText(), u"33 wpm"_qs);
    QVERIFY(w.child<QCheckBox>("chkCourseShowChars")->isChecked());
    QCOMPARE(w.window->keying().dot_samples, 9600 / 31);
    QCOMPARE(w.window->keying().freq, 850);
    QCOMPARE(w.window->keying().space_extra, 15);
    QCOMPARE(w.child<QSlider>("tbVolume")->value(), 7);
    QCOMPARE(w.child<QLineEdit>("edtRatio")->text(), u"4"_qs);
    QVERIFY(w.child<QRadioButton>("rbCallJA")->isChecked());
    QCOMPARE(w.child<QComboBox>("cbbCallList")->currentIndex(), 2);
    QVERIFY(w.child<QCheckBox>("chkMojiPosi")->isChecked());
    QCOMPARE(w.child<QLineEdit>("edtFolder")->text(), QDir::toNativeSeparators(folder.path()));
    QCOMPARE(w.window->plainTextPage().folderList().folder(), folder.path());
    QVERIFY(w.child<QCheckBox>("chkCallStream")->isChecked());
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());  // stream listening holds Normal mode
    w.child<QCheckBox>("chkCallStream")->setChecked(false);
    restart();
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());  // the mode last chosen
}

void TestSavedState::badValuesFallBackOneByOne_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("bad");
    QTest::newRow("speed too high") << u"speed"_qs << u"61"_qs;
    QTest::newRow("speed not a number") << u"speed"_qs << u"25wpm"_qs;
    QTest::newRow("pitch too low") << u"pitch"_qs << u"399"_qs;
    QTest::newRow("spacing past the list") << u"spacing"_qs << u"14"_qs;
    QTest::newRow("volume negative") << u"volume"_qs << u"-1"_qs;
    QTest::newRow("ratio too small") << u"ratio"_qs << u"1"_qs;
    QTest::newRow("unknown mode") << u"drill/mode"_qs << u"fast"_qs;
    QTest::newRow("unknown year") << u"drill/year"_qs << u"1999 CQ WW DX CW"_qs;
    QTest::newRow("stream not a truth value") << u"drill/stream"_qs << u"yes"_qs;
    QTest::newRow("folder gone") << u"text/randomFolder"_qs << u"/nonexistent/texts"_qs;
    QTest::newRow("noise louder than offered") << u"conditions/snr"_qs << u"-11"_qs;
    QTest::newRow("fading deeper than offered") << u"conditions/qsbDepth"_qs << u"31"_qs;
    QTest::newRow("no third course") << u"course/kind"_qs << u"2"_qs;
    QTest::newRow("lesson longer than offered") << u"course/minutes"_qs << u"6"_qs;
    QTest::newRow("character speed too low") << u"course/speed"_qs << u"9"_qs;
    QTest::newRow("shown not a truth value") << u"course/showCharacters"_qs << u"1x"_qs;
}

void TestSavedState::badValuesFallBackOneByOne()
{
    QFETCH(QString, key);
    QFETCH(QString, bad);
    // Every other value is good and differs from the start-up one.
    QMap<QString, QString> values = {
        {u"speed"_qs, u"40"_qs}, {u"pitch"_qs, u"900"_qs}, {u"spacing"_qs, u"3"_qs}, {u"volume"_qs, u"2"_qs},
        {u"ratio"_qs, u"5"_qs}, {u"drill/mode"_qs, u"random"_qs}, {u"drill/year"_qs, u"2020 CQ WW DX CW"_qs},
        {u"drill/stream"_qs, u"false"_qs}, {u"text/randomFolder"_qs, QDir::tempPath()},
        {u"conditions/snr"_qs, u"-10"_qs}, {u"conditions/qsbDepth"_qs, u"30"_qs},
        {u"course/kind"_qs, u"1"_qs}, {u"course/minutes"_qs, u"3"_qs}, {u"course/speed"_qs, u"60"_qs},
        {u"course/showCharacters"_qs, u"true"_qs},
    };
    values[key] = bad;
    writeSettings(values);
    const QMap<QString, QString> shown = {
        {u"speed"_qs, w.child<QLineEdit>("edtSpeed")->text()},
        {u"pitch"_qs, w.child<QLineEdit>("edtPitch")->text()},
        {u"spacing"_qs, QString::number(w.child<QComboBox>("cbbSpacing")->currentIndex())},
        {u"volume"_qs, QString::number(w.child<QSlider>("tbVolume")->value())},
        {u"ratio"_qs, w.child<QLineEdit>("edtRatio")->text()},
        {u"drill/mode"_qs, w.child<QRadioButton>("rbModeRandom")->isChecked() ? u"random"_qs : u"normal"_qs},
        {u"drill/year"_qs, w.child<QComboBox>("cbbCallList")->currentText()},
        {u"drill/stream"_qs, w.child<QCheckBox>("chkCallStream")->isChecked() ? u"true"_qs : u"false"_qs},
        {u"text/randomFolder"_qs, QDir::fromNativeSeparators(w.child<QLineEdit>("edtFolder")->text())},
        {u"conditions/snr"_qs, QString::number(w.child<QSpinBox>("spnSnr")->value())},
        {u"conditions/qsbDepth"_qs, QString::number(w.child<QSpinBox>("spnQsbDepth")->value())},
        {u"course/kind"_qs, QString::number(w.child<QComboBox>("cbbCourse")->currentIndex())},
        {u"course/minutes"_qs, w.child<QComboBox>("cbbCourseMinutes")->currentData().toString()},
        {u"course/speed"_qs, w.child<QComboBox>("cbbCourseSpeed")->currentData().toString()},
        {u"course/showCharacters"_qs, w.child<QCheckBox>("chkCourseShowChars")->isChecked() ? u"true"_qs : u"false"_qs},
    };
    const QMap<QString, QString> startUp = {
        {u"speed"_qs, u"25"_qs}, {u"pitch"_qs, u"700"_qs}, {u"spacing"_qs, u"0"_qs}, {u"volume"_qs, u"4"_qs},
        {u"ratio"_qs, u"3"_qs}, {u"drill/mode"_qs, u"normal"_qs}, {u"drill/year"_qs, QStringLiteral("%1 CQ WW DX CW").arg(QDate::currentDate().year() - 1)},
        {u"drill/stream"_qs, u"false"_qs}, {u"text/randomFolder"_qs, QDir::currentPath() + u'/'},
        {u"conditions/snr"_qs, u"10"_qs}, {u"conditions/qsbDepth"_qs, u"10"_qs},
        {u"course/kind"_qs, u"0"_qs}, {u"course/minutes"_qs, u"1"_qs}, {u"course/speed"_qs, u"20"_qs},
        {u"course/showCharacters"_qs, u"false"_qs},
    };
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        QCOMPARE(shown[it.key()], it.key() == key ? startUp[it.key()] : it.value());
}

void TestSavedState::memoComesBack()
{
    w.window->plainTextPage().setMemoText(u"CQ CQ DE JA1ABC\r\nK"_qs);
    restart();  // closing saves an edit still waiting for its pause
    QCOMPARE(w.window->plainTextPage().memoText(), u"CQ CQ DE JA1ABC\r\nK"_qs);
    QFile file(MemoStore::defaultPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("CQ CQ DE JA1ABC\nK"));
    file.close();
    // A memo saved with CR LF elsewhere reads as one saved with LF.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write("A\r\nB\nC"), 6);
    file.close();
    restart();
    QCOMPARE(w.window->plainTextPage().memoText(), u"A\r\nB\r\nC"_qs);
    w.window->plainTextPage().btnClearClickClick();
    restart();
    QCOMPARE(w.window->plainTextPage().memoText(), QString());
}

void TestSavedState::keptListAndHistoryAfterARestart()
{
    QTemporaryDir data;
    w.window->openHistory(data.path());
    QTest::mouseClick(w.child<QPushButton>("btnCallRead"), Qt::LeftButton);
    w.http->deliver("<a href=\"ja1abc.log\">ja1abc</a><a href=\"k1ab.log\">k1ab</a>");
    w.http->finish();
    QTRY_COMPARE(w.child<QPushButton>("btnCallRead")->text(), u"読込"_qs);
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    auto *box = w.child<QLineEdit>("edtCallInput");
    for (int answer = 0; answer < 3; ++answer) {
        w.playAll();  // the call sign is heard to its end before Enter
        QTest::keyClicks(box, u"ja1abc"_qs);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QTest::mouseClick(w.child<QPushButton>("btnStop"), Qt::LeftButton);
    w.playAll();

    // The next start, with the network gone: the list of the last read is there.
    restart();
    QCOMPARE(w.window->callSignPage().callSigns(), (QStringList{u"JA1ABC"_qs, u"K1AB"_qs}));
    QVERIFY(w.window->statusText(0).contains(u"2局"_qs));
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QVERIFY(w.window->callSignPage().callSigns().contains(w.window->sequencer().send_text));
    w.window.reset();

    PracticeHistory history;
    QVERIFY(history.open(data.path()));
    QList<AnswerRecord> answers;
    QVERIFY(history.readAnswers([&](const AnswerRecord &a) { answers << a; }));
    QCOMPARE(answers.size(), 3);
    for (const AnswerRecord &a : answers) {
        QCOMPARE(a.answer, u"JA1ABC"_qs);
        QCOMPARE(a.correct, a.callSign == u"JA1ABC"_qs);
        QCOMPARE(a.wpm, 25);
        QCOMPARE(a.pitchHz, 700);
        QVERIFY(a.enterAfterMs >= 0);  // answered after the call sign had ended
    }
}

QTEST_MAIN(TestSavedState)
#include "tst_savedstate.moc"
