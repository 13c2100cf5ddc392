#include "callsign/CallSignDrill.h"
#include "keying/RandomInt.h"
#include "sending/CharacterSequencer.h"

#include "fakes/RecordingDrillView.h"
#include "fakes/RecordingSendingView.h"
#include "fakes/ScriptedSoundOutput.h"

#include <QTest>

#include <memory>

namespace {

enum Before { NoStart, Stream, StopSounding, StopHeard, RanOut };

} // namespace

class TestCallSignDrill : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void scoreText_data();
    void scoreText();
    void firstCorrectAnswer();
    void twoOfThree();
    void emptyAnswerIsWrong();
    void stepModeRaisesSpeedAfterTenInARow();
    void stepModeAtSixtyLeavesTheLimitToTheSpinner();
    void randomModeRedrawsAfterEveryAnswer();
    void keysWithNoCallSignWaiting_data();
    void keysWithNoCallSignWaiting();
    void runningOutOfCallSignsKeepsTheResults();
    void emptyListRefusesToStart_data();
    void emptyListRefusesToStart();
    void emptyEntriesAreNeverDrawn();
    void streamOfOneEntry();
    void streamHoldsNPlusOneCallSigns();
    void answerWhileSoundingTakesOverAfterTheCharacter();
    void repeatResendsTheWaitingCallSign();

private:
    void startDrill(const QStringList &list)
    {
        sendingView->pressStart();
        drill->start(list);
    }
    // Plays out whatever is queued, character by character.
    void playAll()
    {
        while (!output->pending.isEmpty())
            output->playOldest();
    }
    void answerWith(const QString &text, const QStringList &list, bool expectConsumed = true)
    {
        view.input = text;
        QCOMPARE(drill->answer(list), expectConsumed);
    }

    std::unique_ptr<TSineTable> table;
    KeyingValues keying;
    std::unique_ptr<ScriptedSoundOutput> output;
    std::unique_ptr<RecordingSendingView> sendingView;
    std::unique_ptr<CharacterSequencer> sequencer;
    std::unique_ptr<CallSignDrill> drill;
    RecordingDrillView view;
};

void TestCallSignDrill::init()
{
    SeedRandom(20240611);
    table = std::make_unique<TSineTable>();
    MakeSineTable(*table, 4, 8);
    keying = KeyingValues{};
    keying.sine_table = table.get();
    drill.reset();
    sequencer.reset();
    output = std::make_unique<ScriptedSoundOutput>();
    output->open(MakePcmFormat());
    sendingView = std::make_unique<RecordingSendingView>();
    sequencer = std::make_unique<CharacterSequencer>(*output, *sendingView, keying);
    view = RecordingDrillView{};
    drill = std::make_unique<CallSignDrill>(view, *sequencer);
}

void TestCallSignDrill::scoreText_data()
{
    QTest::addColumn<int>("ok");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("1/1") << 1 << 1 << u"1/1 (100%)"_qs;
    QTest::newRow("2/3 truncated") << 2 << 3 << u"2/3 (66%)"_qs;
    QTest::newRow("7/10") << 7 << 10 << u"7/10 (70%)"_qs;
    QTest::newRow("53/100 exact") << 53 << 100 << u"53/100 (53%)"_qs;
    QTest::newRow("59/100 exact") << 59 << 100 << u"59/100 (59%)"_qs;
    QTest::newRow("0/5") << 0 << 5 << u"0/5 (0%)"_qs;
    QTest::newRow("large counts") << 2000000000 << 2000000000 << u"2000000000/2000000000 (100%)"_qs;
}

void TestCallSignDrill::scoreText()
{
    QFETCH(int, ok);
    QFETCH(int, total);
    QFETCH(QString, text);
    QCOMPARE(CallSignDrill::scoreText(ok, total), text);
}

void TestCallSignDrill::firstCorrectAnswer()
{
    const QStringList list{u"JA1ABC"_qs};
    startDrill(list);
    QCOMPARE(sequencer->send_text, u"JA1ABC"_qs);
    QCOMPARE(drill->call_total, 1);
    QVERIFY(view.inputFocused);
    answerWith(u"JA1ABC"_qs, list);
    QCOMPARE(view.rows.size(), 1);
    const RecordingDrillView::Row &row = view.rows[0];
    QCOMPARE(row.number, u"1"_qs);
    QCOMPARE(row.input, u"JA1ABC"_qs);
    QCOMPARE(row.call, u"JA1ABC"_qs);
    QCOMPARE(row.speed, u"25"_qs);
    QCOMPARE(row.verdict, u"OK"_qs);
    QVERIFY(view.scoreVisible);
    QCOMPARE(view.score, u"1/1 (100%)"_qs);
    QCOMPARE(view.selectedRow, 0);
    QCOMPARE(view.input, QString());
    QCOMPARE(drill->call_total, 2);
}

void TestCallSignDrill::twoOfThree()
{
    const QStringList list{u"K1AB"_qs};
    startDrill(list);
    answerWith(u"K1AB"_qs, list);
    answerWith(u"K1AX"_qs, list);
    answerWith(u"K1AB"_qs, list);
    QCOMPARE(view.score, u"2/3 (66%)"_qs);
    QCOMPARE(view.rows[1].verdict, u"NG"_qs);
    QCOMPARE(view.rows[2].number, u"3"_qs);
}

void TestCallSignDrill::emptyAnswerIsWrong()
{
    const QStringList list{u"W1AW"_qs};
    startDrill(list);
    answerWith(QString(), list);
    QCOMPARE(view.rows[0].input, QString());
    QCOMPARE(view.rows[0].verdict, u"NG"_qs);
    QCOMPARE(view.score, u"0/1 (0%)"_qs);
}

void TestCallSignDrill::stepModeRaisesSpeedAfterTenInARow()
{
    const QStringList list{u"DL1AA"_qs};
    view.mode = DrillView::StepMode;
    startDrill(list);
    for (int i = 0; i < 9; ++i)
        answerWith(u"DL1AA"_qs, list);
    answerWith(u"WRONG"_qs, list);
    QCOMPARE(drill->step_streak, 0);
    for (int i = 0; i < 9; ++i)
        answerWith(u"DL1AA"_qs, list);
    QCOMPARE(view.speed, 25);
    answerWith(u"DL1AA"_qs, list);
    QCOMPARE(view.speed, 26);
    QCOMPARE(view.rows.last().speed, u"25"_qs);  // the tenth was sent at 25
    QCOMPARE(drill->step_streak, 0);
}

void TestCallSignDrill::stepModeAtSixtyLeavesTheLimitToTheSpinner()
{
    // The drill asks for one more than the spinner shows each time; the
    // spinner, which keeps to 10..60, is what holds the speed at 60.
    const QStringList list{u"DL1AA"_qs};
    view.mode = DrillView::StepMode;
    view.speed = 60;
    startDrill(list);
    for (int i = 0; i < 20; ++i)
        answerWith(u"DL1AA"_qs, list);
    QCOMPARE(view.speedRequests, (QList<int>{61, 61}));
    QCOMPARE(view.rows.last().speed, u"60"_qs);
    QCOMPARE(drill->step_streak, 0);
}

void TestCallSignDrill::randomModeRedrawsAfterEveryAnswer()
{
    const QStringList list{u"VK2XYZ"_qs};
    view.mode = DrillView::RandomMode;
    startDrill(list);
    QCOMPARE(view.pitchesSet.size(), 1);
    SeedRandom(1234);  // start() seeds from the clock; the draws below must not
    answerWith(u"VK2XYZ"_qs, list);
    answerWith(u"NOPE"_qs, list);
    QCOMPARE(view.pitchesSet.size(), 3);
    // Draws cover 500..1450 Hz in steps of 50 and 15..39 wpm.
    for (int i = 0; i < 300; ++i) {
        answerWith(u"VK2XYZ"_qs, list);
        QVERIFY(view.pitch >= 500 && view.pitch <= 1450 && view.pitch % 50 == 0);
        QVERIFY(view.speed >= 15 && view.speed <= 39);
    }
    const auto [low, high] = std::minmax_element(view.pitchesSet.begin(), view.pitchesSet.end());
    QCOMPARE(*low, 500);
    QCOMPARE(*high, 1450);
}

void TestCallSignDrill::keysWithNoCallSignWaiting_data()
{
    QTest::addColumn<int>("before");
    QTest::newRow("before any Start") << int(NoStart);
    QTest::newRow("during a stream") << int(Stream);
    QTest::newRow("after Stop, last character sounding") << int(StopSounding);
    QTest::newRow("after Stop, all heard") << int(StopHeard);
    QTest::newRow("after the drill ran out of call signs") << int(RanOut);
}

void TestCallSignDrill::keysWithNoCallSignWaiting()
{
    QFETCH(int, before);
    const QStringList list{u"JA1ABC"_qs};
    if (before == Stream)
        view.stream = true;
    if (before != NoStart)
        startDrill(list);
    if (before == StopSounding || before == StopHeard) {
        sequencer->StopMorse();
        drill->stop();
    }
    if (before == StopHeard)
        playAll();
    if (before == RanOut)
        answerWith(u"JA1ABC"_qs, {}, false);
    QVERIFY(!drill->callSignWaiting());

    const QList<RecordingDrillView::Row> rows{{u"1"_qs, u"K1AB"_qs, u"K1AB"_qs, u"25"_qs, u"OK"_qs}};
    view.rows = rows;
    view.score = u"1/1 (100%)"_qs;
    const bool scoreVisible = view.scoreVisible;
    const QString sendText = sequencer->send_text;
    const qsizetype written = output->written.size();
    const int total = drill->call_total;
    answerWith(u"JA1"_qs, list, true);
    QCOMPARE(view.rows.size(), rows.size());
    QCOMPARE(view.rows[0].input, rows[0].input);
    QCOMPARE(view.score, u"1/1 (100%)"_qs);
    QCOMPARE(view.scoreVisible, scoreVisible);
    QCOMPARE(view.input, u"JA1"_qs);              // the box keeps its text
    QCOMPARE(sequencer->send_text, sendText);
    QCOMPARE(output->written.size(), written);    // nothing sent
    QCOMPARE(drill->call_total, total);

    // Nor does the repeat key, even once all has been heard.
    playAll();
    const qsizetype heard = output->written.size();
    QVERIFY(!drill->repeat());
    QCOMPARE(output->written.size(), heard);
    QCOMPARE(sequencer->send_text, sendText);
    QCOMPARE(drill->call_total, total);
}

void TestCallSignDrill::runningOutOfCallSignsKeepsTheResults()
{
    const QStringList list{u"JA1ABC"_qs};
    startDrill(list);
    answerWith(u"JA1ABC"_qs, list);
    playAll();
    // The list became empty (a read that found no call signs).
    answerWith(u"JA1ABX"_qs, {}, false);
    QCOMPARE(view.rows.size(), 2);
    QCOMPARE(view.rows[1].verdict, u"NG"_qs);
    QVERIFY(view.scoreVisible);
    QCOMPARE(view.score, u"1/2 (50%)"_qs);
    QCOMPARE(view.input, u"JA1ABX"_qs);
    QCOMPARE(view.notices, QStringList{u"Call Sign を読み込んでください。"_qs});
    QCOMPARE(view.restoreCount, 1);               // nothing sounds any more
    QVERIFY(!sequencer->key_down());
}

void TestCallSignDrill::emptyListRefusesToStart_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::newRow("empty list") << QStringList();
    QTest::newRow("only empty entries") << QStringList{QString(), QString()};
}

void TestCallSignDrill::emptyListRefusesToStart()
{
    QFETCH(QStringList, list);
    view.rows.append({u"1"_qs, u"A"_qs, u"A"_qs, u"25"_qs, u"OK"_qs});
    drill->call_total = 5;
    startDrill(list);
    QCOMPARE(view.notices, QStringList{u"Call Sign を読み込んでください。"_qs});
    QCOMPARE(view.restoreCount, 1);
    QCOMPARE(view.rows.size(), 1);                // left as they were
    QCOMPARE(drill->call_total, 5);
    QCOMPARE(output->written.size(), 0);
}

void TestCallSignDrill::emptyEntriesAreNeverDrawn()
{
    const QStringList list{QString(), u"JA1ABC"_qs, QString(), u"JR1XYZ"_qs, QString()};
    QSet<QString> drawn;
    for (int i = 0; i < 400; ++i)
        drawn.insert(CallSignDrill::drawCallSign(list));
    QCOMPARE(drawn, (QSet<QString>{u"JA1ABC"_qs, u"JR1XYZ"_qs}));
}

void TestCallSignDrill::streamOfOneEntry()
{
    QCOMPARE(CallSignDrill::buildStream({u"CALL"_qs}), u"CALL     CALL"_qs);
    view.stream = true;
    startDrill({u"CALL"_qs});
    QCOMPARE(sequencer->send_text, u"CALL     CALL"_qs);
    QVERIFY(view.rows.isEmpty());
    QVERIFY(!view.scoreVisible);
}

void TestCallSignDrill::streamHoldsNPlusOneCallSigns()
{
    const QStringList list{u"AA1A"_qs, u"BB2B"_qs, u"CC3C"_qs, QString()};
    for (int i = 0; i < 50; ++i) {
        const QString stream = CallSignDrill::buildStream(list);
        const QStringList parts = stream.split(u"     "_qs);
        QCOMPARE(parts.size(), list.size() + 1);
        for (const QString &part : parts)
            QVERIFY(list.contains(part));
    }
}

void TestCallSignDrill::answerWhileSoundingTakesOverAfterTheCharacter()
{
    const QStringList list{u"EE"_qs};
    startDrill(list);
    const quint64 first = output->lastTag();
    output->take(first);
    output->start(first);                         // the first E sounds, the second is rendered ahead
    answerWith(u"EE"_qs, list);
    QCOMPARE(output->discarded.size(), 1);
    QVERIFY(!sendingView->startEnabled);          // sound goes on: Stop stays usable
    QVERIFY(sendingView->stopEnabled);
    output->finish(first);
    playAll();
    // First E of the first call sign, a word gap, then the new call sign.
    QCOMPARE(output->written.size(), 5);
    QVERIFY(!sequencer->key_down());
}

// F2 once the call sign has been heard: the same characters, at the keying
// set now, and nothing counted.
void TestCallSignDrill::repeatResendsTheWaitingCallSign()
{
    const QStringList list{u"JA1ABC"_qs, u"K1ZZ"_qs, u"DL5ABC"_qs, u"W1AW"_qs};
    view.mode = DrillView::StepMode;
    startDrill(list);
    playAll();
    answerWith(sequencer->send_text, list);       // right: a streak of one
    playAll();
    const QString call = sequencer->send_text;
    const auto lastSounding = [&] { return output->written.mid(output->written.size() - call.size()); };
    const QList<ScriptedSoundOutput::Written> first = lastSounding();
    view.input = u"JA"_qs;
    for (const int dotSamples : {384, 480}) {
        const qsizetype written = output->written.size();
        keying.dot_samples = dotSamples;
        QVERIFY(drill->repeat());
        QVERIFY(!drill->repeat());                // still sounding
        playAll();
        QCOMPARE(output->written.size(), written + call.size());
        for (int i = 0; i < call.size(); ++i)
            QCOMPARE(lastSounding()[i].samples.size() * 384, first[i].samples.size() * dotSamples);
    }
    QCOMPARE((QList<int>{drill->call_total, drill->call_ok, drill->step_streak}), (QList<int>{2, 1, 1}));
    QCOMPARE(view.rows.size(), 1);
    QCOMPARE(view.input, u"JA"_qs);
    answerWith(call, list);
    QCOMPARE(view.rows[1].call, call);
    QCOMPARE(view.score, u"2/2 (100%)"_qs);
}

QTEST_GUILESS_MAIN(TestCallSignDrill)
#include "tst_callsigndrill.moc"
