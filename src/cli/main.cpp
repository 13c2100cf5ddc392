// keylark-cw: renders a text with the trainer's own Morse renderer and writes it
// as a WAV file, or plays it through the default sound device.
#include "ConsoleView.h"
#include "CwOptions.h"
#include "WavWriter.h"

#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"
#include "plaintext/SendText.h"
#include "sending/CharacterSequencer.h"
#include "sending/MMErrorText.h"
#include "sending/QtSoundOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "keylark-cw: %s\n", qPrintable(message));
    return 2;
}

std::atomic<int> interrupts{0};

void onInterrupt(int)
{
    if (interrupts.fetch_add(1) > 0)
        std::_Exit(130);  // a second Ctrl+C does not wait for the character
}

// Plays the text through the sequencer, exactly as the window sends it.
// Ctrl+C stops after the character being heard.
int play(const QString &sendText, const QString &ratio, const KeyingValues &keying)
{
    QtSoundOutput output;
    const int openResult = output.open(MakePcmFormat());
    if (openResult != MMSYSERR_NOERROR)
        return fail(OpenErrorMessage(std::uint16_t(openResult)).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    if (sendText.isEmpty())
        return 0;

    ConsoleView view;
    CharacterSequencer sequencer(output, view, keying);
    sequencer.setRatioText(ratio);
    int exitCode = 0;
    QObject::connect(&view, &ConsoleView::done, qApp, [&](int code) {
        exitCode = code;
        QCoreApplication::exit(code);
    });
    std::signal(SIGINT, onInterrupt);
    QTimer interruptWatch;
    QObject::connect(&interruptWatch, &QTimer::timeout, &sequencer, [&] {
        if (interrupts.load() > 0 && !sequencer.send_text.isEmpty())
            sequencer.StopMorse();
    });
    interruptWatch.start(50);

    sequencer.send_text = sendText;
    sequencer.send_pos = 1;
    const QString error = sequencer.StartMorse();
    if (!error.isEmpty())
        return fail(error);
    if (sequencer.key_down())
        QCoreApplication::exec();
    output.close();
    return exitCode == 0 && interrupts.load() > 0 ? 130 : exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The text is UTF-8 whatever the locale says (a C locale would mangle kana).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);

    const CwParseResult parsed = ParseCwOptions(arguments);
    if (parsed.helpShown) {
        std::fputs(qPrintable(CwUsage()), stdout);
        return 0;
    }
    if (!parsed.options)
        return fail(parsed.error + QStringLiteral("\n") + CwUsage().section(u'\n', 0, 1));
    const CwOptions &options = *parsed.options;

    QString text = options.text;
    if (options.readStdin) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read standard input: %1").arg(input.errorString()));
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8(input.readAll());
        if (utf8.hasError())
            return fail(QStringLiteral("standard input is not valid UTF-8"));
    }
    const QString sendText = PrepareSendText(text);

    auto sineTable = std::make_unique<TSineTable>();
    const KeyingValues keying = CwKeying(options, *sineTable);

    if (options.outputPath.isEmpty())
        return play(sendText, options.ratio, keying);

    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples);
    WavWriter wav(options.outputPath);
    auto cannotWrite = [&] {
        return fail(QStringLiteral("cannot write %1: %2").arg(options.outputPath, wav.errorString()));
    };
    if (!wav.open())
        return cannotWrite();
    for (const QChar c : sendText) {
        const RenderResult result = renderer.MakeCharWave(buffer, c.unicode(), options.ratio);
        if (!result.ok())
            return fail(result.error);
        if (!wav.append(buffer.data(), result.bytes / 2))
            return cannotWrite();
    }
    if (!wav.commit())
        return cannotWrite();
    return 0;
}
