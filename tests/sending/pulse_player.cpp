// Plays a text through the real sound output, one character per buffer, the
// way the trainer sends: render a character, write it, render the next when
// the previous one has been taken. Prints when each character starts and
// finishes sounding, in milliseconds after the first one started, so that a
// recording of the output can be checked against what the window would show.
//
// Takes the options of keylark-cw (without -o), after two of its own:
//   --stop-at N   when character N starts to sound, drop what is queued after
//                 it, as Stop does, and exit once the rest has been heard
//   --close-at N  close the output while character N sounds, and exit
// Exits 0 after the last character has been heard, 1 when the sound output
// fails.
#include "cli/CwOptions.h"
#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"
#include "plaintext/SendText.h"
#include "sending/MMErrorText.h"
#include "sending/PulseSoundOutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    int stopAt = 0;
    int closeAt = 0;
    while (arguments.size() >= 2
           && (arguments[0] == u"--stop-at" || arguments[0] == u"--close-at")) {
        (arguments[0] == u"--stop-at" ? stopAt : closeAt) = arguments[1].toInt();
        arguments.remove(0, 2);
    }
    const CwParseResult parsed = ParseCwOptions(arguments);
    if (!parsed.options || !parsed.options->outputPath.isEmpty() || parsed.options->readStdin) {
        std::fprintf(stderr, "pulse_player: %s\n",
                     qPrintable(parsed.error.isEmpty() ? QStringLiteral("give the text as an argument, no -o")
                                                       : parsed.error));
        return 2;
    }
    const CwOptions &options = *parsed.options;
    const QString text = PrepareSendText(options.text);

    auto sineTable = std::make_unique<TSineTable>();
    const KeyingValues keying = CwKeying(options, *sineTable);
    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples);

    PulseSoundOutput output;
    const int code = output.open(MakePcmFormat());
    if (code != 0) {
        std::fprintf(stderr, "pulse_player: %s\n", qPrintable(OpenErrorMessage(std::uint16_t(code))));
        return 1;
    }

    // Tags are 1-based positions in the text. Each line gives the sample offset,
    // from the start of the rendered text, of where the character begins
    // (started) or ends with its closing gap (finished).
    qsizetype next = 0;
    qint64 offset = 0;
    std::vector<qint64> startOffsets(std::size_t(text.size()) + 2);
    QElapsedTimer clock;
    auto stamp = [&]() -> double {
        if (!clock.isValid())
            clock.start();
        return double(clock.nsecsElapsed()) / 1e6;
    };
    int status = 0;
    bool stopped = false;
    qsizetype outstanding = 0;   // written, neither heard to the end nor dropped
    auto sendNext = [&] {
        if (stopped || next >= text.size())
            return;
        const RenderResult result = renderer.MakeCharWave(buffer, text[next].unicode(), options.ratio);
        if (!result.ok()) {
            std::fprintf(stderr, "pulse_player: %s\n", qPrintable(result.error));
            status = 1;
            app.quit();
            return;
        }
        ++next;
        startOffsets[std::size_t(next)] = offset;
        offset += result.bytes / 2;
        ++outstanding;
        if (!output.write(quint64(next), buffer.data(), result.bytes / 2)) {
            std::fprintf(stderr, "pulse_player: write refused\n");
            status = 1;
            app.quit();
        }
    };
    QObject::connect(&output, &SoundOutput::bufferTaken, &app, [&](quint64) { sendNext(); });
    QObject::connect(&output, &SoundOutput::started, &app, [&](quint64 tag) {
        std::printf("started %llu %lld %.1f\n", tag, startOffsets[tag], stamp());
        if (tag == quint64(stopAt)) {
            stopped = true;
            const QList<quint64> dropped = output.discardPending();
            outstanding -= dropped.size();
            for (quint64 d : dropped)
                std::printf("dropped %llu\n", d);
        }
        if (tag == quint64(closeAt)) {
            output.close();
            app.quit();
        }
    });
    QObject::connect(&output, &SoundOutput::finished, &app, [&](quint64 tag) {
        const qint64 end = tag < quint64(next) ? startOffsets[tag + 1] : offset;
        std::printf("finished %llu %lld %.1f\n", tag, end, stamp());
        if (--outstanding == 0 && (stopped || next >= text.size()))
            app.quit();
    });
    QObject::connect(&output, &SoundOutput::deviceLost, &app, [&](int lost) {
        std::fprintf(stderr, "pulse_player: device lost: %s\n", qPrintable(MMErrorText(std::uint16_t(lost))));
        status = 1;
        app.quit();
    });
    QTimer::singleShot(0, &app, sendNext);
    if (text.isEmpty())
        return 0;
    const int loop = app.exec();
    std::fflush(stdout);
    output.close();
    return status ? status : loop;
}
