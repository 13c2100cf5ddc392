// The sequencer where one run hands over to the next: a text that takes over
// from the one sounding, the pause of random-file mode between two files, and
// a keying change that renders again what is queued ahead.
#include "sending/CharacterSequencer.h"

#include "fakes/SequencerRig.h"

#include <QTest>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

enum PauseAction { StopInPause, StopOnTheOtherTab, CancelRestart, OtherRun };

} // namespace

class TestSequencerHandOver : public QObject, private SequencerRig
{
    Q_OBJECT

private slots:
    void init();
    void takeoverBeginsAfterAWordGap_data();
    void takeoverBeginsAfterAWordGap();
    void pauseEndsWithoutARestart_data();
    void pauseEndsWithoutARestart();
    void keyingChangeRendersAheadAgain_data();
    void keyingChangeRendersAheadAgain();

private:
    // The output takes every buffer at once, as one holding sound far ahead does.
    void takeAll()
    {
        for (qsizetype i = 0; i < output->written.size(); ++i)
            output->take(output->written[i].tag);
    }
};

void TestSequencerHandOver::init()
{
    resetRig();
}

// The new text of a refused start begins a word gap after the character
// being heard: the silence of a space at the current spacing, on top of that
// character's own closing gap, and never shown, echoed or counted.
void TestSequencerHandOver::takeoverBeginsAfterAWordGap_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("stream");
    QTest::addColumn<int>("spaceExtra");
    QTest::addColumn<bool>("takenFirst");
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("counted");
    const int plain = CharacterView::PlainTextTab;
    const int call = CharacterView::CallSignTab;
    QTest::newRow("Start again, plain text") << plain << false << 0 << true << false << u"TE"_qs << 2;
    QTest::newRow("early answer, stream echo") << call << true << 0 << true << false << u"TE"_qs << 0;
    QTest::newRow("widest spacing") << plain << false << 27 << true << false << u"TE"_qs << 2;
    QTest::newRow("heard before it was taken") << plain << false << 6 << false << false << u"TE"_qs << 2;
    QTest::newRow("Start right after Stop") << plain << false << 0 << true << true << u"E"_qs << 2;
}

void TestSequencerHandOver::takeoverBeginsAfterAWordGap()
{
    QFETCH(int, tab);
    QFETCH(bool, stream);
    QFETCH(int, spaceExtra);
    QFETCH(bool, takenFirst);
    QFETCH(bool, stopFirst);
    QFETCH(QString, shown);
    QFETCH(int, counted);
    keying.space_extra = spaceExtra;
    view->display.tab = tab;
    view->display.stream = stream;
    send(u"TT"_qs);
    const quint64 first = output->lastTag();
    if (takenFirst)
        output->take(first);
    output->start(first);
    if (stopFirst)
        seq->StopMorse();
    view->restoreButtons();                    // an answer leaves the buttons alone
    seq->send_text = u"E"_qs;
    seq->send_pos = 1;
    QCOMPARE(seq->StartMorse(), QString());
    QVERIFY(!view->startEnabled);
    QVERIFY(view->stopEnabled);
    output->finish(first);
    while (!output->pending.isEmpty())
        output->playOldest();
    QVERIFY(!seq->key_down());

    std::vector<audio_sample> heard;
    for (const ScriptedSoundOutput::Written &w : std::as_const(output->written)) {
        if (!output->discarded.contains(w.tag))
            heard.insert(heard.end(), w.samples.begin(), w.samples.end());
    }
    const int u = keying.dot_samples;
    const auto firstEnd = heard.begin() + (6 + spaceExtra) * u;  // the first T and its gaps
    const auto lastTone = std::find_if(std::make_reverse_iterator(firstEnd), heard.rend(),
                                       [](audio_sample s) { return s != 0; }).base();
    const auto nextTone = std::find_if(firstEnd, heard.end(), [](audio_sample s) { return s != 0; });
    QVERIFY(nextTone != heard.end());
    const int silence = int(nextTone - lastTone);
    const int wordGap = (7 + 2 * spaceExtra) * u;  // as between the words of "T E"
    QVERIFY2(silence >= wordGap && silence < wordGap + 8,
             qPrintable(u"%1 samples of silence, word gap %2"_qs.arg(silence).arg(wordGap)));
    QCOMPARE(tab == CharacterView::PlainTextTab ? view->display.ticker : view->display.callInput, shown);
    QCOMPARE(view->display.textChars, counted);
}

void TestSequencerHandOver::pauseEndsWithoutARestart_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("stopped");
    QTest::addColumn<bool>("startEnabled");
    QTest::newRow("Stop") << int(StopInPause) << 1 << true;
    QTest::newRow("Stop on the call-sign tab") << int(StopOnTheOtherTab) << 1 << true;
    QTest::newRow("random-file mode unticked") << int(CancelRestart) << 0 << true;
    QTest::newRow("another run started") << int(OtherRun) << 0 << false;
}

void TestSequencerHandOver::pauseEndsWithoutARestart()
{
    QFETCH(int, action);
    QFETCH(int, stopped);
    QFETCH(bool, startEnabled);
    view->randomFile = true;
    send(u"E"_qs);
    output->playOldest();
    QVERIFY(seq->restartPending());
    switch (action) {
    case StopOnTheOtherTab:
        view->display.tab = CharacterView::CallSignTab;
        [[fallthrough]];
    case StopInPause:
        seq->StopMorse();
        break;
    case CancelRestart:
        seq->cancelRestart();
        break;
    default:
        view->display.tab = CharacterView::CallSignTab;
        send(u"K"_qs);
    }
    QVERIFY(!seq->restartPending());
    QCOMPARE(view->stopped, stopped);
    QCOMPARE(view->startEnabled, startEnabled);
    QCOMPARE(view->stopEnabled, !startEnabled);
    QCOMPARE(view->startClicks, 0);
}

// A change of speed while a text sounds: what has begun to sound plays as it
// was rendered, what is queued behind it comes again at the new speed, and
// every character is heard once, in order.
void TestSequencerHandOver::keyingChangeRendersAheadAgain_data()
{
    QTest::addColumn<int>("startedBefore");
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<QList<int>>("renderedAgain");  // samples of each buffer written after the change
    QTest::addColumn<QString>("heard");

    // At 50 wpm a unit is 192 samples: T is 6 units with its gap, E 4.
    QTest::newRow("two characters ahead, rendered again") << 1 << false << QList<int>{1152, 768} << u"ETE"_qs;
    QTest::newRow("one character ahead") << 2 << false << QList<int>{768} << u"ETE"_qs;
    QTest::newRow("all begun: nothing to render again") << 3 << false << QList<int>{} << u"ETE"_qs;
    QTest::newRow("after Stop nothing comes back") << 1 << true << QList<int>{} << QString();
}

void TestSequencerHandOver::keyingChangeRendersAheadAgain()
{
    QFETCH(int, startedBefore);
    QFETCH(bool, stopFirst);
    QFETCH(QList<int>, renderedAgain);
    QFETCH(QString, heard);

    send(u"ETE"_qs);
    takeAll();
    QCOMPARE(output->written.size(), 3);
    for (int i = 0; i < startedBefore; ++i)
        output->start(output->written[i].tag);
    if (stopFirst)
        seq->StopMorse();
    const qsizetype before = output->written.size();
    keying.dot_samples = 192;
    seq->keyingChanged();
    takeAll();
    QList<int> again;
    for (qsizetype i = before; i < output->written.size(); ++i)
        again << int(output->written[i].samples.size());
    QCOMPARE(again, renderedAgain);

    while (!output->pending.isEmpty())
        output->playOldest();
    QVERIFY(!seq->key_down());
    QCOMPARE(view->display.ticker, heard);
}

QTEST_GUILESS_MAIN(TestSequencerHandOver)
#include "tst_sequencerhandover.moc"
