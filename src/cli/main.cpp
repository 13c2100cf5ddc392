// keylark-cw: renders a text with the trainer's own Morse renderer and writes it
// as a WAV file, or plays it through the default sound device.
#include "ConsoleView.h"
#include "CwOptions.h"
#include "WavWriter.h"

#include "conditions/ConditionsMixer.h"
#include "conditions/station/QrmCallSigns.h"
#include "keying/CharacterLength.h"
#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"
#include "morse/MorsePattern.h"
#include "plaintext/SendText.h"
#include "sending/CharacterSequencer.h"
#include "sending/pulse/PulseSoundOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTimer>

#include <algorithm>
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

// The renderer's own refusal is in Japanese, for the window; the options are
// checked so that it does not come, but should it, it is said in English too.
QString cannotRender(const QString &ratio)
{
    return QStringLiteral("cannot render the text with --ratio %1").arg(ratio);
}

// The sound library reports on standard error in its own words, several
// lines for one missing server; the tool's own one-line messages say it all.
void quietQtMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

// The bytes of audio the text renders to, worked out without rendering it.
qint64 audioBytes(const QString &sendText, int ratio, const KeyingValues &keying)
{
    qint64 units = 0;
    for (const QChar c : sendText)
        units += CharacterUnits(c.unicode(), ratio, keying.space_extra);
    return units * keying.dot_samples * qint64(sizeof(audio_sample));
}

// With band conditions on, the file opens and closes with half a second of
// them, so that the first character comes out of the noise as on the air.
constexpr int kConditionsLeadSamples = kSampleRate / 2;

// The second station calls the text's own call signs, or made-up ones when
// the text has none.
std::unique_ptr<ConditionsMixer> makeMixer(const CwOptions &options, const QString &sendText,
                                           const KeyingValues &keying)
{
    if (!options.conditions.anyOn())
        return nullptr;
    const quint32 seed = options.seed ? *options.seed : QRandomGenerator::global()->generate();
    QStringList callSigns = callSignsInText(sendText);
    if (callSigns.isEmpty())
        callSigns = MadeUpCallSigns(seed, 8);
    const ConditionsMixer::Wanted wanted{keying.freq, keying.dot_samples, double(keying.amplitude)};
    return std::make_unique<ConditionsMixer>(options.conditions, wanted, callSigns, seed);
}

std::atomic<int> interrupts{0};

void onInterrupt(int)
{
    if (interrupts.fetch_add(1) > 0)
        std::_Exit(130);  // a second Ctrl+C does not wait for the character
}

// Plays the text through the sequencer, exactly as the window sends it.
// Ctrl+C stops after the character being heard.
int play(const QString &text, const QString &sendText, const QString &ratio, const KeyingValues &keying,
         std::shared_ptr<ConditionsMixer> conditions)
{
    PulseSoundOutput output;
    if (output.open(MakePcmFormat()) != MMSYSERR_NOERROR)
        return fail(noSoundServerText());

    ConsoleView view;
    view.setWritten(sendText, writtenCharacters(text));
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

    // As in the file: half a second of the band before the first character
    // and after the last.
    const auto hearTheBand = [&] {
        QTimer::singleShot(kConditionsLeadSamples * 1000 / kSampleRate, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    };
    if (conditions) {
        output.setConditions(conditions);
        hearTheBand();
    }
    sequencer.send_text = sendText;
    sequencer.send_pos = 1;
    if (!sequencer.StartMorse().isEmpty())
        return fail(cannotRender(ratio));
    if (sequencer.key_down())
        QCoreApplication::exec();
    if (conditions && interrupts.load() == 0) {
        hearTheBand();
        output.setConditions(nullptr);  // fades out
        hearTheBand();
    }
    output.close();
    return exitCode == 0 && interrupts.load() > 0 ? 130 : exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietQtMessages);
    QCoreApplication app(argc, argv);
    // The text is UTF-8 whatever the locale says (a C locale would mangle kana).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);

    const CwParseResult parsed = ParseCwOptions(arguments);
    if (parsed.helpShown || parsed.versionShown) {
        std::fputs(qPrintable(parsed.versionShown ? CwVersion() : CwUsage()), stdout);
        return 0;
    }
    if (!parsed.options)
        return fail(parsed.error + QStringLiteral(" (see keylark-cw --help)"));
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
    const QString sendText = prepareSendText(text);
    // A text of spaces, or of characters without Morse, would give a file of
    // silence or nothing to hear.
    if (std::none_of(sendText.cbegin(), sendText.cend(),
                     [](QChar c) { return LookupMorsePattern(c.unicode()).find_first_of(".-") != MorsePattern::npos; }))
        return fail(QStringLiteral("nothing to send: the text holds no character that Morse code can send"));

    auto sineTable = std::make_unique<TSineTable>();
    const KeyingValues keying = CwKeying(options, *sineTable);

    if (options.outputPath.isEmpty())
        return play(text, sendText, options.ratio, keying, makeMixer(options, sendText, keying));

    // Known before a byte is written, rather than after gigabytes of it.
    const int leadSamples = options.conditions.anyOn() ? kConditionsLeadSamples : 0;
    const qint64 bytes = audioBytes(sendText, options.ratio.toInt(), keying)
        + 2 * leadSamples * qint64(sizeof(audio_sample));
    if (bytes > kMaxWavDataBytes)
        return fail(QStringLiteral("the audio would take %1 GiB, more than the 4 GiB a WAV file can hold; "
                                   "nothing was written")
                        .arg(double(bytes) / double(1LL << 30), 0, 'f', 1));

    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples);
    WavWriter wav(options.outputPath);
    auto cannotWrite = [&] {
        return fail(QStringLiteral("cannot write %1: %2").arg(options.outputPath, wav.errorString()));
    };
    if (!wav.open())
        return cannotWrite();
    // The stream is the rendered characters back to back; the conditions are
    // laid over it buffer by buffer, in order.
    const std::unique_ptr<ConditionsMixer> mixer = makeMixer(options, sendText, keying);
    auto appendConditionsOnly = [&] {
        std::vector<audio_sample> quiet(std::size_t(leadSamples), 0);
        mixer->process(quiet.data(), leadSamples);
        return wav.append(quiet.data(), leadSamples);
    };
    if (mixer && !appendConditionsOnly())
        return cannotWrite();
    for (const QChar c : sendText) {
        const RenderResult result = renderer.MakeCharWave(buffer, c.unicode(), options.ratio);
        if (!result.ok())
            return fail(cannotRender(options.ratio));
        if (mixer)
            mixer->process(buffer.data(), result.bytes / 2);
        if (!wav.append(buffer.data(), result.bytes / 2))
            return cannotWrite();
    }
    if (mixer && !appendConditionsOnly())
        return cannotWrite();
    if (!wav.commit())
        return cannotWrite();
    return 0;
}
