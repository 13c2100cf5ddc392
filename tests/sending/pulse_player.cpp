// Plays a text through the real sound output, one character per buffer, the
// way the trainer sends: render a character, write it, render the next when
// the previous one has been taken. Prints when each character starts and
// finishes sounding, in milliseconds after the first one started, so that a
// recording of the output can be checked against what the window would show.
//
// Takes the options of keylark-cw (without -o), after some of its own:
//   --stop-at N   when character N starts to sound, drop what is queued after
//                 it, as Stop does, and exit once the rest has been heard
//   --close-at N  close the output while character N sounds, and exit
//   --stall-at N  when character N starts to sound, keep this thread (the
//                 one the window would run on) busy for a second, as a
//                 loaded machine may
//   --commands    open the output, then wait for lines on standard input, as
//                 the window waits for its buttons: "start" plays the text
//                 (opening the output first when it is not open, as Start
//                 does), "quit" closes the output and exits
// Exits 0 after the last character has been heard, 1 when the sound output
// fails. With --commands it never stops on its own; each run prints "run N",
// its events, and "end" or "lost CODE"; every line about the output carries
// the wall clock in milliseconds last, for the calling script to compare with
// its own.
#include "cli/CwOptions.h"
#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"
#include "plaintext/SendText.h"
#include "sending/MMErrorText.h"
#include "sending/pulse/PulseSoundOutput.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

qint64 wallMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

void say(const char *line, long long value)
{
    std::printf("%s %lld %lld\n", line, value, wallMs());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    int stopAt = 0;
    int closeAt = 0;
    int stallAt = 0;
    bool commands = false;
    while (!arguments.isEmpty()) {
        if (arguments[0] == u"--commands") {
            commands = true;
            arguments.removeFirst();
        } else if (arguments.size() >= 2
                   && (arguments[0] == u"--stop-at" || arguments[0] == u"--close-at" || arguments[0] == u"--stall-at")) {
            (arguments[0] == u"--stop-at" ? stopAt : arguments[0] == u"--close-at" ? closeAt : stallAt)
                = arguments[1].toInt();
            arguments.remove(0, 2);
        } else {
            break;
        }
    }
    const CwParseResult parsed = ParseCwOptions(arguments);
    if (!parsed.options || !parsed.options->outputPath.isEmpty() || parsed.options->readStdin) {
        std::fprintf(stderr, "pulse_player: %s\n",
                     qPrintable(parsed.error.isEmpty() ? QStringLiteral("give the text as an argument, no -o")
                                                       : parsed.error));
        return 2;
    }
    const CwOptions &options = *parsed.options;
    const QString text = prepareSendText(options.text);

    auto sineTable = std::make_unique<TSineTable>();
    const KeyingValues keying = CwKeying(options, *sineTable);
    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples);

    PulseSoundOutput output;
    auto openOutput = [&] {
        QElapsedTimer took;
        took.start();
        const int code = output.open(MakePcmFormat());
        std::printf("open %d %lld %lld\n", code, took.elapsed(), wallMs());
        std::fflush(stdout);
        if (code != 0)
            std::fprintf(stderr, "pulse_player: %s\n", qPrintable(OpenErrorMessage(std::uint16_t(code))));
        return code;
    };
    if (openOutput() != 0 && !commands)
        return 1;

    // Tags are 1-based positions in the text. Each line gives the sample offset,
    // from the start of the rendered text, of where the character begins
    // (started) or ends with its closing gap (finished).
    qsizetype next = 0;
    qint64 offset = 0;
    std::vector<qint64> startOffsets(std::size_t(text.size()) + 2);
    QElapsedTimer clock;
    QElapsedTimer sinceStart;
    auto stamp = [&]() -> double {
        if (!clock.isValid())
            clock.start();
        return double(clock.nsecsElapsed()) / 1e6;
    };
    int status = 0;
    int runs = 0;
    bool running = false;
    bool stopped = false;
    qsizetype outstanding = 0;   // written, neither heard to the end nor dropped
    auto endRun = [&](int code) {
        running = false;
        if (!commands) {
            status = code;
            app.quit();
        }
    };
    auto sendNext = [&] {
        if (!running || stopped || next >= text.size())
            return;
        const RenderResult result = renderer.MakeCharWave(buffer, text[next].unicode(), options.ratio);
        if (!result.ok()) {
            std::fprintf(stderr, "pulse_player: %s\n", qPrintable(result.error));
            endRun(1);
            return;
        }
        ++next;
        startOffsets[std::size_t(next)] = offset;
        offset += result.bytes / 2;
        ++outstanding;
        if (!output.write(quint64(next), buffer.data(), result.bytes / 2)) {
            std::fprintf(stderr, "pulse_player: write refused\n");
            say("refused", 0);
            endRun(1);
        }
    };
    auto startRun = [&] {
        if (running)
            return;
        if (!output.isOpen() && openOutput() != 0)
            return;
        say("run", ++runs);
        next = 0;
        offset = 0;
        outstanding = 0;
        stopped = false;
        running = true;
        clock.invalidate();
        sinceStart.start();
        sendNext();
    };
    QObject::connect(&output, &SoundOutput::bufferTaken, &app, [&](quint64) { sendNext(); });
    QObject::connect(&output, &SoundOutput::started, &app, [&](quint64 tag) {
        if (!running)
            return;
        if (!clock.isValid())
            say("first-tone", sinceStart.elapsed());
        std::printf("started %llu %lld %.1f\n", tag, startOffsets[tag], stamp());
        if (tag == quint64(stopAt)) {
            stopped = true;
            const QList<quint64> dropped = output.discardPending();
            outstanding -= dropped.size();
            for (quint64 d : dropped)
                std::printf("dropped %llu\n", d);
        }
        if (tag == quint64(stallAt)) {
            QElapsedTimer busy;
            busy.start();
            while (busy.elapsed() < 1000) {
            }
        }
        if (tag == quint64(closeAt)) {
            output.close();
            app.quit();
        }
    });
    QObject::connect(&output, &SoundOutput::finished, &app, [&](quint64 tag) {
        if (!running)
            return;
        const qint64 end = tag < quint64(next) ? startOffsets[tag + 1] : offset;
        std::printf("finished %llu %lld %.1f\n", tag, end, stamp());
        if (--outstanding == 0 && (stopped || next >= text.size())) {
            say("end", runs);
            endRun(0);
        }
    });
    QObject::connect(&output, &SoundOutput::deviceLost, &app, [&](int lost) {
        std::fprintf(stderr, "pulse_player: device lost: %s\n", qPrintable(MMErrorText(std::uint16_t(lost))));
        say("lost", lost);
        if (running)
            endRun(1);
    });

    QByteArray pending;
    std::unique_ptr<QSocketNotifier> commandReader;
    auto command = [&](const QByteArray &line) {
        if (line == "start") {
            startRun();
        } else if (line == "quit") {
            commandReader->setEnabled(false);
            QElapsedTimer took;
            took.start();
            output.close();
            say("closed", took.elapsed());
            app.quit();
        }
    };
    if (commands) {
        commandReader = std::make_unique<QSocketNotifier>(0, QSocketNotifier::Read);
        QObject::connect(commandReader.get(), &QSocketNotifier::activated, &app, [&] {
            char chunk[256];
            const ssize_t got = ::read(0, chunk, sizeof chunk);
            if (got <= 0) {
                command("quit");
                return;
            }
            pending.append(chunk, got);
            qsizetype eol;
            while (commandReader->isEnabled() && (eol = pending.indexOf('\n')) >= 0) {
                const QByteArray line = pending.left(eol).trimmed();
                pending.remove(0, eol + 1);
                command(line);
            }
        });
    } else {
        if (text.isEmpty())
            return 0;
        QTimer::singleShot(0, &app, startRun);
    }
    const int loop = app.exec();
    std::fflush(stdout);
    output.close();
    return status ? status : loop;
}
