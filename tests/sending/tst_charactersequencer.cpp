#include "sending/CharacterSequencer.h"
#include "sending/MMErrorText.h"

#include "fakes/SequencerRig.h"

#include <QTest>

#include <memory>

namespace {

// The character a written buffer holds, recognised by its length at 25 wpm,
// ratio 3, standard spacing (the unit is 384 samples).
int units(const ScriptedSoundOutput::Written &w)
{
    return int(w.samples.size()) / 384;
}

} // namespace

class TestCharacterSequencer : public QObject, private SequencerRig
{
    Q_OBJECT

private slots:
    void init();
    void oneCharacterText();
    void noSecondBufferBeforeTheFirstIsTaken();
    void displayFollowsWhatIsHeard();
    void afterSendingStepAppendsTheLastCharacterBeforeTheEnd();
    void startRefusedWhileSoundingAndNewTextTakesOver();
    void stopWhileSounding();
    void stopWhileStoppingWithANewText();
    void stopWhileIdle();
    void endOfTextOnTheCallSignTabKeepsTheButtons();
    void randomFileModePausesThenRestarts();
    void deviceThatNeverAnswers();
    void deviceLostMidRun();
    void noDeviceWarnsAndEnds();
    void failingRenderAtStart();
    void failingRenderMidText();
    void textOutOfRangeIsNeverRead_data();
    void textOutOfRangeIsNeverRead();

private:
    void send(const QString &text) { startError = SequencerRig::send(text); }

    QString startError;
};

void TestCharacterSequencer::init()
{
    resetRig();
    startError.clear();
}

void TestCharacterSequencer::oneCharacterText()
{
    send(u"E"_qs);
    QVERIFY(seq->key_down());
    QCOMPARE(output->written.size(), 1);
    QCOMPARE(units(output->written[0]), 4);  // dot, its gap, closing gap of 2
    QCOMPARE(seq->header().dwBufferLength, 2 * 4 * 384);
    QCOMPARE(seq->send_pos, 2);
    output->playOldest();
    QVERIFY(!seq->key_down());
    QCOMPARE(output->written.size(), 1);
    QCOMPARE(view->runEnded, 1);
    QVERIFY(view->startEnabled);
    QVERIFY(!view->stopEnabled);
    QCOMPARE(view->display.ticker, u"E"_qs);
    QCOMPARE(view->display.textChars, 1);
}

void TestCharacterSequencer::noSecondBufferBeforeTheFirstIsTaken()
{
    send(u"TEST"_qs);
    const quint64 first = output->lastTag();
    output->start(first);                      // sounding, but not yet taken
    QCOMPARE(output->written.size(), 1);
    output->take(first);                       // taken: one more, rendered ahead
    QCOMPARE(output->written.size(), 2);
    output->take(first);                       // a repeated report changes nothing
    QCOMPARE(output->written.size(), 2);
    QCOMPARE(units(output->written[1]), 4);    // E
    output->finish(first);
    QCOMPARE(output->written.size(), 2);       // the second is still not taken
    output->take(output->lastTag());
    QCOMPARE(output->written.size(), 3);
    QCOMPARE(seq->send_pos, 4);
}

void TestCharacterSequencer::displayFollowsWhatIsHeard()
{
    view->display.tab = CharacterView::CallSignTab;
    view->display.stream = true;
    send(u"JA K"_qs);
    const quint64 j = output->lastTag();
    output->take(j);
    output->take(output->lastTag());            // A rendered and taken too
    QCOMPARE(output->written.size(), 3);
    QCOMPARE(view->display.callInput, QString());  // nothing heard yet
    output->start(j);
    QCOMPARE(view->display.callInput, u"J"_qs);
    output->finish(j);
    output->start(output->written[1].tag);
    QCOMPARE(view->display.callInput, u"JA"_qs);
}

void TestCharacterSequencer::afterSendingStepAppendsTheLastCharacterBeforeTheEnd()
{
    view->display.afterSending = true;
    send(u"C Q"_qs);
    QStringList tickerWhileSounding;
    while (!output->pending.isEmpty()) {
        const quint64 tag = output->pending.first();
        output->take(tag);
        output->start(tag);
        tickerWhileSounding << view->display.ticker;
        output->finish(tag);
    }
    QCOMPARE(tickerWhileSounding, (QStringList{QString(), u"C"_qs, u"C "_qs}));
    QCOMPARE(view->display.ticker, u"C Q"_qs);
    QCOMPARE(view->runEnded, 1);
    QCOMPARE(view->tickerAtRunEnd, u"C Q"_qs);
}

void TestCharacterSequencer::startRefusedWhileSoundingAndNewTextTakesOver()
{
    view->display.tab = CharacterView::CallSignTab;
    send(u"AB"_qs);
    const quint64 a = output->lastTag();
    output->take(a);
    output->start(a);                          // A sounds; B rendered ahead
    const quint64 b = output->lastTag();
    QVERIFY(b != a);

    view->pressStart();
    seq->send_text = u"T"_qs;
    seq->send_pos = 1;
    QCOMPARE(seq->StartMorse(), QString());
    QVERIFY(!view->startEnabled);              // refused, but sound goes on
    QVERIFY(view->stopEnabled);
    QCOMPARE(output->discarded, QList<quint64>{b});
    QCOMPARE(output->written.size(), 3);       // a word gap queued right after A
    QCOMPARE(units(output->written[2]), 4);
    QCOMPARE(output->pending, (QList<quint64>{a, output->lastTag()}));
    output->finish(a);
    output->playOldest();
    QCOMPARE(units(output->written[3]), 6);    // then T
    output->playOldest();
    QVERIFY(!seq->key_down());
}

void TestCharacterSequencer::stopWhileSounding()
{
    view->randomFile = true;
    send(u"ABC"_qs);
    const quint64 a = output->lastTag();
    output->take(a);
    output->start(a);
    QCOMPARE(view->display.ticker, u"A"_qs);
    seq->StopMorse();
    QCOMPARE(view->stopped, 1);
    QVERIFY(seq->send_text.isEmpty());
    QCOMPARE(view->display.ticker, QString());
    QVERIFY(seq->key_down());                 // A plays to its end
    QCOMPARE(output->pending, QList<quint64>{a});
    output->finish(a);
    QVERIFY(!seq->key_down());
    QCOMPARE(view->display.ticker, QString());
    QCOMPARE(output->written.size(), 2);       // nothing after A was queued again
    QVERIFY(!seq->restartPending());          // Stop unticked random-file mode
}

void TestCharacterSequencer::stopWhileStoppingWithANewText()
{
    view->display.tab = CharacterView::CallSignTab;
    send(u"AB"_qs);
    const quint64 a = output->lastTag();
    output->take(a);
    output->start(a);
    seq->StopMorse();
    // An answer made while Stop waits: refused, but its text is played.
    seq->send_text = u"E"_qs;
    seq->send_pos = 1;
    seq->StartMorse();
    QCOMPARE(output->written.size(), 3);       // the word gap; E follows it
    output->finish(a);
    QVERIFY(seq->key_down());
    output->playOldest();
    output->playOldest();
    QCOMPARE(output->written.size(), 4);
    QVERIFY(!seq->key_down());
}

void TestCharacterSequencer::stopWhileIdle()
{
    view->pressStart();
    seq->StopMorse();
    QVERIFY(!seq->key_down());
    QVERIFY(view->startEnabled);
    QVERIFY(!view->stopEnabled);
    QCOMPARE(output->written.size(), 0);
}

void TestCharacterSequencer::endOfTextOnTheCallSignTabKeepsTheButtons()
{
    view->display.tab = CharacterView::CallSignTab;
    send(u"K"_qs);
    output->playOldest();
    QVERIFY(!seq->key_down());
    QVERIFY(!view->startEnabled);
    QVERIFY(view->stopEnabled);
    QCOMPARE(view->runEnded, 0);
}

void TestCharacterSequencer::randomFileModePausesThenRestarts()
{
    view->randomFile = true;
    send(u"E"_qs);
    output->playOldest();
    QVERIFY(!seq->key_down());
    QVERIFY(!view->startEnabled);
    QVERIFY(view->stopEnabled);               // Stop can end the pause
    QVERIFY(seq->restartPending());
    QCOMPARE(view->startClicks, 0);
    seq->restartAfterPause();
    QCOMPARE(view->startClicks, 1);
    QVERIFY(!seq->restartPending());
}

void TestCharacterSequencer::deviceThatNeverAnswers()
{
    send(u"PARIS"_qs);
    QVERIFY(seq->watchdogArmed());
    seq->deviceSilent();
    QVERIFY(!seq->key_down());
    QVERIFY(!seq->watchdogArmed());
    QVERIFY(view->startEnabled);
    QVERIFY(!output->isOpen());
    QCOMPARE(view->warnings, QStringList{OutputLostMessage()});
    send(u"E"_qs);                            // the next Start opens the output again
    QCOMPARE(output->openCalls, 2);
    QVERIFY(seq->key_down());
}

void TestCharacterSequencer::deviceLostMidRun()
{
    view->randomFile = true;
    send(u"PARIS"_qs);
    output->take(output->lastTag());
    output->lose();
    QVERIFY(!seq->key_down());
    QCOMPARE(view->warnings, QStringList{OutputLostMessage()});
    QVERIFY(seq->restartPending());
    output->openResult = 6;                    // the server is gone for good
    seq->restartAfterPause();
    QCOMPARE(view->startClicks, 1);
    send(u"E"_qs);
    QCOMPARE(view->warnings.size(), 2);
    QCOMPARE(view->warnings.last(), u"Error opening waveform audio!\r\nno device driver present"_qs);
    QVERIFY(!seq->key_down());
    QVERIFY(!seq->restartPending());
    output->lose();                            // lost while idle: nobody to tell
    QCOMPARE(view->warnings.size(), 2);
}

void TestCharacterSequencer::noDeviceWarnsAndEnds()
{
    output->close();
    output->openResult = 6;
    send(u"CQ"_qs);
    QCOMPARE(view->warnings.size(), 1);
    QVERIFY(!seq->key_down());
    QVERIFY(view->startEnabled);
    QCOMPARE(view->runEnded, 1);
    QCOMPARE(output->written.size(), 0);
}

void TestCharacterSequencer::failingRenderAtStart()
{
    seq->setRatioText(u"x"_qs);
    send(u"TE"_qs);
    QCOMPARE(startError, u"'x' は整数ではありません"_qs);
    QVERIFY(!seq->key_down());
    QCOMPARE(seq->send_pos, 1);
    QCOMPARE(output->written.size(), 0);
    QVERIFY(view->errors.isEmpty());           // the caller decides how to show it
}

void TestCharacterSequencer::failingRenderMidText()
{
    seq->setRatioText(u"x"_qs);
    send(u"ET"_qs);
    QCOMPARE(startError, QString());
    const quint64 e = output->lastTag();
    output->take(e);
    QCOMPARE(view->errors, QStringList{u"'x' は整数ではありません"_qs});
    QCOMPARE(seq->send_pos, 2);
    QVERIFY(seq->key_down());                 // E still sounding
    output->start(e);
    output->finish(e);
    QVERIFY(!seq->key_down());
    QCOMPARE(output->written.size(), 1);
}

void TestCharacterSequencer::textOutOfRangeIsNeverRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pos");
    QTest::newRow("empty text") << QString() << 1;
    QTest::newRow("position 0") << u"E"_qs << 0;
    QTest::newRow("past the end") << u"E"_qs << 2;
    QTest::newRow("negative") << u"E"_qs << -3;
}

void TestCharacterSequencer::textOutOfRangeIsNeverRead()
{
    QFETCH(QString, text);
    QFETCH(int, pos);
    view->pressStart();
    seq->send_text = text;
    seq->send_pos = pos;
    seq->StartMorse();
    QVERIFY(!seq->key_down());
    QCOMPARE(output->written.size(), 0);
    QVERIFY(view->startEnabled);
}

QTEST_GUILESS_MAIN(TestCharacterSequencer)
#include "tst_charactersequencer.moc"
