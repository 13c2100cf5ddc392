// Scenarios of a practice session that must never break: an early answer,
// Stop after a refused Start, Enter with nothing waiting, a failed read.
#include "E2eSession.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace e2e {
namespace {

void enter(Session &s, const QString &typed)
{
    auto *input = s.child<QLineEdit>("edtCallInput");
    input->setFocus();
    QTest::keyClicks(input, typed);
    QTest::keyClick(input, Qt::Key_Return);
}

int resultRows(Session &s)
{
    return s.child<QTreeWidget>("lvCallList")->topLevelItemCount();
}

// Enter while the first call sign still sounds: the rest of it is dropped and
// the next call sign follows after a word gap, so the two decode as two words.
int earlyAnswer(const Options &o)
{
    Session s(o);
    readYear(s, 2017);
    require(!s.window->callSignPage().callSigns().isEmpty(), QStringLiteral("empty call-sign list"));
    s.window->btnStartClick();
    const QString first = s.window->sequencer().send_text;
    report("first", first);
    QTest::qWait(o.number("answer-after-ms", 250));
    require(s.keyDown(), QStringLiteral("the first call sign ended before the answer"));
    enter(s, QStringLiteral("X"));
    const QString second = s.window->sequencer().send_text;
    report("second", second);
    require(s.stopEnabled() && !s.startEnabled(), QStringLiteral("buttons do not show the sound going on"));
    require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("the second call sign did not end"));
    QTest::qWait(1500);  // a word gap for the decoder after the last call sign
    s.window->btnStopClick();
    s.requireResponsive();
    return 0;
}

// Start right after Stop, while the last character still sounds: the new
// text takes over, and Stop pressed then silences it within one character.
int stopAfterRefusedStart(const Options &o)
{
    Session s(o);
    startPlain(s, longText());
    waitUntilSounding(s);
    s.window->btnStopClick();
    require(s.keyDown(), QStringLiteral("the character being heard did not play on after Stop"));
    s.window->plainTextPage().setMemoText(longText());
    s.window->btnStartClick();
    report("refused_start_buttons", QStringLiteral("start=%1 stop=%2").arg(s.startEnabled()).arg(s.stopEnabled()));
    require(!s.startEnabled() && s.stopEnabled(), QStringLiteral("Stop is not offered while the new text sounds"));
    waitUntilSounding(s);
    QElapsedTimer clock;
    clock.start();
    s.window->btnStopClick();
    require(waitFor([&] { return !s.keyDown(); }, 5000), QStringLiteral("the text did not stop"));
    report("stop_to_silence_ms", clock.elapsed());
    // At 25 wpm the longest character with its gap lasts about 0.9 s.
    require(clock.elapsed() < 1500, QStringLiteral("more than one character sounded after Stop"));
    require(s.startEnabled() && !s.stopEnabled(), QStringLiteral("the buttons did not return to rest"));
    return 0;
}

// After Stop, Enter in the box neither plays nor scores anything.
int enterAfterStop(const Options &o)
{
    Session s(o);
    readYear(s, 2017);
    s.window->btnStartClick();
    const QString sent = s.window->sequencer().send_text;
    require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("the call sign did not end"));
    enter(s, sent);
    require(resultRows(s) == 1, QStringLiteral("the answer added %1 rows").arg(resultRows(s)));
    s.window->btnStopClick();
    require(waitFor([&] { return s.idle(); }, 5000), QStringLiteral("Stop did not end the drill"));
    QTest::qWait(1500);  // the recording so far ends in silence
    report("recorded_until_enter", 1);
    enter(s, QString());
    enter(s, QStringLiteral("JA1"));
    QTest::qWait(1500);
    report("rows", resultRows(s));
    report("sounding_after_enter", s.keyDown() ? 1 : 0);
    require(resultRows(s) == 1, QStringLiteral("Enter after Stop added a row"));
    require(!s.keyDown() && s.startEnabled(), QStringLiteral("Enter after Stop started a call sign"));
    return 0;
}

// A read that fails keeps the list read before, and Start still plays from it.
int failedReadKeepsList(const Options &o)
{
    Session s(o);
    readYear(s, 2017);
    const QStringList good = s.window->callSignPage().callSigns();
    require(!good.isEmpty(), QStringLiteral("the first read gave no list"));
    readYear(s, 2016);  // the fixture answers 404 for this year
    report("notice", s.dialogs->notices.join(QStringLiteral(" | ")));
    require(s.window->callSignPage().callSigns() == good, QStringLiteral("the failed read changed the list"));
    require(s.dialogs->notices.size() == 1 && s.dialogs->notices.first().contains(QStringLiteral("404")),
            QStringLiteral("the failure was not explained"));
    s.window->btnStartClick();
    const QString sent = s.window->sequencer().send_text;
    report("sent", sent);
    require(good.contains(sent), QStringLiteral("the call sign is not from the list read before"));
    require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("the call sign did not end"));
    QTest::qWait(1500);
    s.window->btnStopClick();
    return 0;
}

} // namespace

void addPracticeScenarios(QHash<QString, Scenario> &scenarios)
{
    scenarios.insert(QStringLiteral("early-answer"), earlyAnswer);
    scenarios.insert(QStringLiteral("stop-after-refused-start"), stopAfterRefusedStart);
    scenarios.insert(QStringLiteral("enter-after-stop"), enterAfterStop);
    scenarios.insert(QStringLiteral("failed-read-keeps-list"), failedReadKeepsList);
}

} // namespace e2e
