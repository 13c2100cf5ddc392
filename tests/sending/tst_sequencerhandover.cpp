// The sequencer where one run hands over to the next: a text that takes over
// from the one sounding, and the pause of random-file mode between two files.
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

QTEST_GUILESS_MAIN(TestSequencerHandOver)
#include "tst_sequencerhandover.moc"
