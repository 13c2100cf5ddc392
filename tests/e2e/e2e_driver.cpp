// Drives the real main window, with the real sound output and the real HTTP
// client, through one named scenario and reports what it saw, one "key: value"
// line at a time. The calling script owns the sound server, the fixture server
// and the recording; this program owns the window. It exits 0 when the
// scenario held, 1 when it did not, 77 when the scenario cannot run here.
//
//   e2e_driver SCENARIO [--name value]...

#include "E2eSession.h"

#include "sending/MMErrorText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <climits>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>

#include <sys/types.h>

using namespace e2e;

namespace {

// --year picks the selector's entry of that year; without it the newest,
// selected at start, stays.
void selectYear(Session &s, const Options &o)
{
    auto *years = s.child<QComboBox>("cbbCallList");
    const int year = o.number("year", 0);
    if (year == 0)
        return;
    const int index = years->findText(QStringLiteral("%1 CQ WW DX CW").arg(year));
    require(index >= 0, QStringLiteral("the year selector does not offer %1").arg(year));
    years->setCurrentIndex(index);
}

// ---- Sound ----------------------------------------------------------------

int plainText(const Options &o)
{
    Session s(o);
    const QString expect = o.text("expect");
    startPlain(s, o.text("memo"));
    require(s.keyDown(), QStringLiteral("Start did not start sending"));
    require(waitFor([&] { return s.idle(); }, o.number("timeout-ms", 30000)),
            QStringLiteral("the text did not end"));
    report("ticker", s.ticker());
    require(s.ticker().endsWith(expect), QStringLiteral("ticker does not end with '%1'").arg(expect));
    s.reportDialogs();
    require(s.dialogs->warnings.isEmpty(), QStringLiteral("sound warning with a server running"));
    s.requireResponsive();
    return 0;
}

int callSignDrill(const Options &o)
{
    Session s(o);
    s.selectTab(kCallSignTab);
    selectYear(s, o);
    s.window->callSignPage().btnCallReadClick();
    require(waitFor([&] { return !s.reading(); }, 15000),
            QStringLiteral("the list did not arrive"));
    report("status", s.window->statusText(0));
    report("list", s.window->callSignPage().callSigns().size());
    require(!s.window->callSignPage().callSigns().isEmpty(), QStringLiteral("empty call-sign list"));

    s.window->btnStartClick();
    require(s.keyDown(), QStringLiteral("Start did not send a call sign"));
    const QString sent = s.window->sequencer().send_text;
    report("sent", sent);
    require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("the call sign did not end"));
    // A pause long enough for the decoder to see a word gap before the next call.
    QTest::qWait(1500);

    auto *input = s.child<QLineEdit>("edtCallInput");
    input->setFocus();
    QTest::keyClicks(input, sent.toLower());
    QTest::keyClick(input, Qt::Key_Return);
    auto *results = s.child<QTreeWidget>("lvCallList");
    require(results->topLevelItemCount() == 1,
            QStringLiteral("%1 result rows").arg(results->topLevelItemCount()));
    const QTreeWidgetItem *row = results->topLevelItem(0);
    report("row", QStringList{row->text(0), row->text(1), row->text(2), row->text(3), row->text(4)}
                      .join(QLatin1Char(' ')));
    require(row->text(4) == QLatin1String("OK"), QStringLiteral("the answer was not judged OK"));
    report("score", s.child<QLabel>("LabelCount")->text());
    s.window->btnStopClick();
    require(waitFor([&] { return !s.keyDown(); }, 5000), QStringLiteral("Stop did not end the call"));
    s.requireResponsive();
    return 0;
}

int noSoundServer(const Options &o)
{
    Session s(o);
    require(s.dialogs->warnings.size() == 1, QStringLiteral("expected one warning at start-up"));
    report("startup_warning", s.dialogs->warnings.first());
    qint64 startMs = s.timed([&] { startPlain(s, QStringLiteral("CQ TEST")); });
    report("start_ms", startMs);
    require(waitFor([&] { return s.idle(); }, 5000), QStringLiteral("Start without sound did not end"));
    require(!s.stopEnabled(), QStringLiteral("Stop left enabled"));
    report("warnings_after_start", s.dialogs->warnings.size());
    require(s.dialogs->warnings.size() == 2, QStringLiteral("Start without sound did not warn"));
    report("stop_ms", s.timed([&] { s.window->btnStopClick(); }));
    require(s.idle(), QStringLiteral("Stop did not leave the window idle"));
    require(startMs < 3000, QStringLiteral("Start took %1 ms").arg(startMs));
    report("longest_gap_ms", s.watch.longestGapMs());
    s.closeWindow();
    return 0;
}

// The sound server killed while a text sounds: the run ends at once with the
// warning that the sound was lost. With --back-flag the calling script starts
// the server again once "waiting_for_server" is reported and then creates the
// flag file: the next Start must sound, with no further warning.
int serverKilled(const Options &o)
{
    const pid_t server = pid_t(o.number("kill-pid", 0));
    require(server > 1, QStringLiteral("--kill-pid missing"));
    Session s(o);
    startPlain(s, longText());
    waitUntilSounding(s);
    s.watch.start();
    ::kill(server, SIGKILL);
    QElapsedTimer sinceKill;
    sinceKill.start();
    require(waitFor([&] { return s.idle(); }, 15000), QStringLiteral("the run did not end after the kill"));
    report("run_end_ms", sinceKill.elapsed());
    report("ticker_chars", s.ticker().size());
    require(!s.dialogs->warnings.isEmpty() && s.dialogs->warnings.last().contains(OutputLostMessage()),
            QStringLiteral("the loss was not told"));
    QTest::qWait(300);
    s.requireResponsive();

    const QString backFlag = o.text("back-flag");
    if (!backFlag.isEmpty()) {
        report("waiting_for_server", QStringLiteral("yes"));
        require(waitFor([&] { return QFile::exists(backFlag); }, 30000), QStringLiteral("the server did not come back"));
    }
    const int warningsBefore = int(s.dialogs->warnings.size());
    const qint64 nextStartMs = s.timed([&] { startPlain(s, longText()); });
    report("next_start_ms", nextStartMs);
    const bool warned = s.dialogs->warnings.size() > warningsBefore;
    report("next_start", warned ? QStringLiteral("warned") : s.keyDown() ? QStringLiteral("sounding")
                                                                         : QStringLiteral("neither"));
    if (backFlag.isEmpty()) {
        require(warned || s.keyDown(), QStringLiteral("the next Start neither warned nor sounded"));
    } else {
        require(!warned && s.keyDown(), QStringLiteral("the next Start after the server's return did not sound"));
        s.child<QLabel>("lblChar")->clear();
        waitUntilSounding(s);
    }
    s.window->btnStopClick();
    require(waitFor([&] { return s.idle(); }, 8000), QStringLiteral("Stop after the kill did not return to idle"));
    s.reportDialogs();
    s.requireResponsive();
    s.closeWindow();
    return 0;
}

int closeWhileSounding(const Options &o)
{
    Session s(o);
    startPlain(s, longText());
    waitUntilSounding(s);
    if (o.text("stop") == QLatin1String("yes")) {
        s.window->btnStopClick();
        // Stop returns at once and the character being heard plays out.
        report("key_down_after_stop", s.keyDown() ? 1 : 0);
    }
    s.closeWindow();
    s.settleAfterClose(1000);
    return 0;
}

int closeDuringPause(const Options &o)
{
    QTemporaryDir folder;
    require(folder.isValid(), QStringLiteral("no temporary folder"));
    QFile file(folder.filePath(QStringLiteral("short.txt")));
    require(file.open(QIODevice::WriteOnly) && file.write("EE\n") == 3, QStringLiteral("cannot write"));
    file.close();

    Session s(o);
    s.selectTab(kPlainTextTab);
    s.dialogs->folderToChoose = folder.path();
    s.child<QCheckBox>("chkTextRandom")->setChecked(true);
    s.window->plainTextPage().btnFolderSelectClick();
    s.window->btnStartClick();
    require(waitFor([&] { return s.window->sequencer().restartPending(); }, 10000),
            QStringLiteral("the pause between files never came"));
    require(!s.startEnabled() && s.stopEnabled(), QStringLiteral("in the pause Start must be disabled and Stop enabled"));
    QTest::qWait(o.number("into-pause-ms", 700));
    s.closeWindow();
    // Past the end of the pause: the restart must have died with the window.
    s.settleAfterClose(2500);
    return 0;
}

// ---- Network --------------------------------------------------------------

int download(const Options &o)
{
    Session s(o);
    s.selectTab(kCallSignTab);
    selectYear(s, o);
    auto *read = s.child<QPushButton>("btnCallRead");
    s.window->callSignPage().btnCallReadClick();
    require(s.reading() && read->isEnabled(), QStringLiteral("the read button does not offer 中止"));

    const int closeAfter = o.number("close-after-ms", -1);
    if (closeAfter >= 0) {
        QTest::qWait(closeAfter);
        report("status_at_close", s.window->statusText(0));
        require(s.reading(), QStringLiteral("the download ended before the window closed"));
        s.closeWindow();
        s.settleAfterClose(1000);
        return 0;
    }

    QElapsedTimer clock;
    clock.start();
    require(waitFor([&] { return !s.reading(); }, o.number("timeout-ms", 20000)),
            QStringLiteral("the download did not end (status '%1')").arg(s.window->statusText(0)));
    report("download_ms", clock.elapsed());
    const QString status = s.window->statusText(0);
    const qsizetype count = s.window->callSignPage().callSigns().size();
    report("status", status);
    report("list", count);
    s.reportDialogs();
    require(status == QStringLiteral("CQ World Wide DX Contest : %1局").arg(count),
            QStringLiteral("status does not name the list's size"));
    require((count == 0) == (s.dialogs->notices.size() == 1),
            QStringLiteral("the maintenance notice must come exactly when the list is empty"));
    const int atLeast = o.number("min-list", 0);
    const int atMost = o.number("max-list", INT_MAX);
    require(count >= atLeast && count <= atMost,
            QStringLiteral("list of %1 outside %2..%3").arg(count).arg(atLeast).arg(atMost));
    for (const QString &call : s.window->callSignPage().callSigns())
        require(!call.isEmpty() && call == call.toUpper(), QStringLiteral("odd entry '%1'").arg(call));
    s.requireResponsive();
    // A second read works after any failure.
    s.window->callSignPage().btnCallReadClick();
    require(waitFor([&] { return !s.reading(); }, o.number("timeout-ms", 20000)),
            QStringLiteral("a second read did not end"));
    s.closeWindow();
    return 0;
}

// A call-sign file chosen in its dialog, then stream listening played to its
// end: the list is the file's, and every call sign sent is an entry of it.
int callFileStream(const Options &o)
{
    const QString path = o.text("file");
    require(!path.isEmpty(), QStringLiteral("--file missing"));
    Session s(o);
    s.selectTab(kCallSignTab);
    s.dialogs->callSignFileToOpen = path;
    QTest::mouseClick(s.child<QPushButton>("btnCallFile"), Qt::LeftButton);
    const QStringList list = s.window->callSignPage().callSigns();
    report("status", s.window->statusText(0));
    report("list", list.join(QLatin1Char(' ')));
    require(!list.isEmpty(), QStringLiteral("the file gave no list"));

    s.child<QCheckBox>("chkCallStream")->setChecked(true);
    s.window->btnStartClick();
    require(s.keyDown(), QStringLiteral("Start did not start the stream"));
    const QStringList sent = s.window->sequencer().send_text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    report("sent", sent.join(QLatin1Char(' ')));
    for (const QString &call : sent)
        require(list.contains(call), QStringLiteral("%1 is not in the file").arg(call));
    // The stream's own end: nothing more is sent and the last call stays in the box.
    require(waitFor([&] { return !s.keyDown(); }, o.number("timeout-ms", 60000)),
            QStringLiteral("the stream did not end"));
    report("input", s.child<QLineEdit>("edtCallInput")->text());
    require(s.child<QLineEdit>("edtCallInput")->text() == sent.last(),
            QStringLiteral("the input box does not hold the last call sign"));
    s.reportDialogs();
    require(s.dialogs->notices.isEmpty() && s.dialogs->errors.isEmpty(), QStringLiteral("a box was shown"));
    s.window->btnStopClick();
    s.requireResponsive();
    s.closeWindow();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: e2e_driver SCENARIO [--name value]...\n");
        return 2;
    }
    const QString scenario = args.first();
    const Options options(args.mid(1));
    QHash<QString, Scenario> scenarios = {
        {QStringLiteral("plain"), plainText},
        {QStringLiteral("drill"), callSignDrill},
        {QStringLiteral("no-sound"), noSoundServer},
        {QStringLiteral("server-killed"), serverKilled},
        {QStringLiteral("close-sounding"), closeWhileSounding},
        {QStringLiteral("close-pause"), closeDuringPause},
        {QStringLiteral("download"), download},
        {QStringLiteral("call-file-stream"), callFileStream},
    };
    addPracticeScenarios(scenarios);
    addConditionsScenarios(scenarios);
    addFileScenarios(scenarios);
    addCourseScenarios(scenarios);
    addRestartScenarios(scenarios);
    if (!scenarios.contains(scenario)) {
        std::fprintf(stderr, "unknown scenario %s\n", qPrintable(scenario));
        return 2;
    }
    report("scenario", scenario);
    try {
        const int code = scenarios.value(scenario)(options);
        report("result", code == 0 ? QStringLiteral("PASS") : QStringLiteral("SKIP"));
        return code;
    } catch (const Failed &failure) {
        report("result", QStringLiteral("FAIL ") + failure.reason);
        return 1;
    }
}
