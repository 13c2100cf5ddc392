#include "sending/CharacterSequencer.h"

#include "fakes/FakeClock.h"
#include "fakes/SequencerRig.h"

#include <QTest>

#include <memory>

// The sequencer's timing and its guards, against a scripted output and a fake
// clock: nothing here waits for real time.
class TestSequencerTiming : public QObject, private SequencerRig
{
    Q_OBJECT

private slots:
    void init();
    void randomFileModeWaitsTwoSecondsBeforeTheNextFile();
    void silentOutputIsGivenUpFiveSecondsAfterItsQueuedSound();
    void outputThatKeepsReportingIsNeverGivenUp();
    void characterHeardAfterStopStaysOffTheTicker();
    void refusedStartWritesNothingWhileABufferIsAtTheOutput();
    void bufferHeardMeansTheOnesBeforeItWereHeard();

private:
    FakeClock &clock = *FakeClock::instance();
};

void TestSequencerTiming::init()
{
    resetRig();
}

void TestSequencerTiming::randomFileModeWaitsTwoSecondsBeforeTheNextFile()
{
    view->randomFile = true;
    send(u"E"_qs);
    output->playOldest();
    QVERIFY(!seq->key_down());
    clock.advance(1999);
    QCOMPARE(view->startClicks, 0);
    QVERIFY(!view->startEnabled);
    clock.advance(1);
    QCOMPARE(view->startClicks, 1);
    clock.advance(10000);
    QCOMPARE(view->startClicks, 1);  // once
}

void TestSequencerTiming::silentOutputIsGivenUpFiveSecondsAfterItsQueuedSound()
{
    send(u"PARIS"_qs);                     // P: 14 units, 672 ms
    QCOMPARE(output->written.size(), 1);
    clock.advance(672 + 5000 - 1);
    QVERIFY(seq->key_down());
    QVERIFY(output->isOpen());
    clock.advance(1);
    QVERIFY(!seq->key_down());
    QVERIFY(!output->isOpen());            // closed, so that the next Start opens it afresh
    QVERIFY(view->startEnabled);
    QCOMPARE(view->runEnded, 1);
}

void TestSequencerTiming::outputThatKeepsReportingIsNeverGivenUp()
{
    // Each start and end of a buffer is reported 4.9 s after the report
    // before it: later than any character lasts, but within the slack the
    // watchdog allows past the queued sound.
    send(u"TEST"_qs);
    while (!output->pending.isEmpty()) {
        const quint64 tag = output->pending.first();
        output->take(tag);
        clock.advance(4900);
        output->start(tag);
        clock.advance(4900);
        output->finish(tag);
        QVERIFY(output->isOpen());
    }
    QVERIFY(!seq->key_down());
    QCOMPARE(output->written.size(), 4);
    QCOMPARE(view->display.ticker, u"TEST"_qs);
}

void TestSequencerTiming::characterHeardAfterStopStaysOffTheTicker()
{
    view->display.afterSending = true;     // the ticker shows a character once heard
    send(u"AB"_qs);
    const quint64 a = output->lastTag();
    output->take(a);
    output->start(a);
    seq->StopMorse();
    QCOMPARE(view->display.ticker, QString());
    output->finish(a);                     // A plays to its end, after Stop
    QVERIFY(!seq->key_down());
    QCOMPARE(view->display.ticker, QString());
}

void TestSequencerTiming::refusedStartWritesNothingWhileABufferIsAtTheOutput()
{
    view->display.tab = CharacterView::CallSignTab;
    send(u"AB"_qs);
    const quint64 a = output->lastTag();
    output->start(a);                      // A sounds, not yet reported taken
    view->pressStart();
    seq->send_text = u"T"_qs;
    seq->send_pos = 1;
    seq->StartMorse();                     // refused: A is still at the output
    QCOMPARE(output->written.size(), 1);
    output->take(a);                       // now the new text follows A
    QCOMPARE(output->written.size(), 2);
    while (!output->pending.isEmpty())
        output->playOldest();
    QVERIFY(!seq->key_down());
}

void TestSequencerTiming::bufferHeardMeansTheOnesBeforeItWereHeard()
{
    // The output reports the end of the second buffer without one for the
    // first: both have been heard, and the run ends.
    send(u"TE"_qs);
    const quint64 t = output->lastTag();
    output->take(t);
    const quint64 e = output->lastTag();
    QVERIFY(e != t);
    output->start(t);
    output->take(e);
    output->start(e);
    output->finish(e);
    QVERIFY(!seq->key_down());
    QCOMPARE(view->runEnded, 1);
    clock.advance(60000);
    QCOMPARE(view->warnings.size() + view->errors.size(), 0);
}

int main(int argc, char **argv)
{
    QCoreApplication::setEventDispatcher(new FakeClock);
    QCoreApplication app(argc, argv);
    TestSequencerTiming test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sequencertiming.moc"
