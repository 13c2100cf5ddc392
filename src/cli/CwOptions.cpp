#include "CwOptions.h"

#include "KeylarkVersion.h"

#include "keying/RandomInt.h"
#include "keying/RatioCheck.h"

namespace {

bool parseInt(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

QString rangeError(const QString &option, const QString &value, int low, int high)
{
    return QStringLiteral("%1: '%2' is not a whole number from %3 to %4")
        .arg(option, value).arg(low).arg(high);
}

} // namespace

QString CwUsage()
{
    return QStringLiteral(
        "usage: keylark-cw [--wpm 10..60] [--pitch 400..1500] [--ratio N] [--spacing 0..13]\n"
        "                  [--volume 0..8] [--noise -10..30] [--qsb] [--qsb-depth 3..30] [--qrm]\n"
        "                  [--seed N] [-o out.wav] [--] [TEXT | -]\n"
        "       keylark-cw --help | --version\n"
        "A long option's value may also follow an equals sign (--wpm=30); after --\n"
        "every argument is TEXT, even one that starts with a dash.\n"
        "Renders TEXT (or standard input with -) as Morse code; writes an 8000 Hz mono\n"
        "16-bit WAV file with -o, otherwise plays it through the default sound device.\n"
        "Band conditions: --noise adds receiver noise at that signal-to-noise ratio in dB,\n"
        "--qsb fading (--qsb-depth sets its depth in dB), --qrm a second station calling.\n");
}

QString CwVersion()
{
    return QStringLiteral("keylark-cw %1\n").arg(QLatin1String(keylarkVersion));
}

CwParseResult ParseCwOptions(const QStringList &arguments)
{
    CwOptions options;
    bool haveText = false;
    bool optionsEnded = false;  // after "--" every argument is TEXT
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        // "--wpm=30" is "--wpm 30", as with every GNU tool; the value may be
        // empty or hold "=" itself.
        std::optional<QString> attached;
        if (!optionsEnded && argument.startsWith(QLatin1String("--")) && argument.contains(u'=')) {
            const qsizetype equals = argument.indexOf(u'=');
            attached = argument.mid(equals + 1);
            argument.truncate(equals);
        }
        if (!optionsEnded && argument == QLatin1String("--") && !attached) {
            optionsEnded = true;
            continue;
        }
        const bool isOption = !optionsEnded && argument.startsWith(u'-') && argument != QLatin1String("-");
        const bool isFlag = argument == QLatin1String("-h") || argument == QLatin1String("--help")
            || argument == QLatin1String("--version") || argument == QLatin1String("--qsb")
            || argument == QLatin1String("--qrm");
        if (isOption && isFlag && attached)
            return {std::nullopt, QStringLiteral("%1 takes no value").arg(argument)};
        if (isOption && (argument == QLatin1String("-h") || argument == QLatin1String("--help")))
            return {std::nullopt, QString(), true};
        if (isOption && argument == QLatin1String("--version"))
            return {std::nullopt, QString(), false, true};

        const bool takesValue = isOption && (argument == QLatin1String("--wpm") || argument == QLatin1String("--pitch")
            || argument == QLatin1String("--ratio") || argument == QLatin1String("--spacing")
            || argument == QLatin1String("--volume") || argument == QLatin1String("--seed")
            || argument == QLatin1String("--noise") || argument == QLatin1String("--qsb-depth")
            || argument == QLatin1String("-o"));
        if (takesValue) {
            if (!attached && i + 1 >= arguments.size())
                return {std::nullopt, QStringLiteral("%1 needs a value").arg(argument)};
            const QString value = attached ? *attached : arguments[++i];
            int number = 0;
            if (argument == QLatin1String("--wpm")) {
                if (!parseInt(value, 10, 60, options.wpm))
                    return {std::nullopt, rangeError(argument, value, 10, 60)};
            } else if (argument == QLatin1String("--pitch")) {
                if (!parseInt(value, 400, 1500, number))
                    return {std::nullopt, rangeError(argument, value, 400, 1500)};
                options.freq = FreqForPitchPosition(number);
            } else if (argument == QLatin1String("--ratio")) {
                bool ok = false;
                value.toInt(&ok);
                if (!ok)
                    return {std::nullopt, QStringLiteral("--ratio: '%1' is not an integer").arg(value)};
                options.ratio = value;
            } else if (argument == QLatin1String("--spacing")) {
                if (!parseInt(value, 0, 13, options.spacingIndex))
                    return {std::nullopt, rangeError(argument, value, 0, 13)};
            } else if (argument == QLatin1String("--volume")) {
                if (!parseInt(value, 0, 8, options.volume))
                    return {std::nullopt, rangeError(argument, value, 0, 8)};
            } else if (argument == QLatin1String("--noise")) {
                if (!parseInt(value, kMinSnrDb, kMaxSnrDb, options.conditions.snrDb))
                    return {std::nullopt, rangeError(argument, value, kMinSnrDb, kMaxSnrDb)};
                options.conditions.noise = true;
            } else if (argument == QLatin1String("--qsb-depth")) {
                if (!parseInt(value, kMinQsbDepthDb, kMaxQsbDepthDb, options.conditions.qsbDepthDb))
                    return {std::nullopt, rangeError(argument, value, kMinQsbDepthDb, kMaxQsbDepthDb)};
                options.conditions.qsb = true;
            } else if (argument == QLatin1String("--seed")) {
                bool ok = false;
                const uint seed = value.toUInt(&ok);
                if (!ok)
                    return {std::nullopt, QStringLiteral("--seed: '%1' is not a whole number").arg(value)};
                options.seed = seed;
            } else {
                if (value.isEmpty())
                    return {std::nullopt, QStringLiteral("-o needs a file name")};
                options.outputPath = value;
            }
            continue;
        }
        if (isOption && argument == QLatin1String("--qsb")) {
            options.conditions.qsb = true;
            continue;
        }
        if (isOption && argument == QLatin1String("--qrm")) {
            options.conditions.qrm = true;
            continue;
        }
        if (isOption)
            return {std::nullopt, QStringLiteral("unknown option %1").arg(arguments[i])};
        if (haveText)
            return {std::nullopt, QStringLiteral("only one TEXT may be given (quote it)")};
        haveText = true;
        if (argument == QLatin1String("-"))
            options.readStdin = true;
        else
            options.text = argument;
    }
    if (!haveText)
        return {std::nullopt, QStringLiteral("no TEXT given (use - to read standard input)")};
    // Checked here, at the speed and spacing asked for, so that no character
    // can fail half-way through the text.
    if (CheckRatio(options.ratio, DotSamplesForSpeed(options.wpm), SpaceExtraForIndex(options.spacingIndex, 0))
        == RatioProblem::TooLong)
        return {std::nullopt, QStringLiteral("--ratio: %1 makes some characters too long to render at %2 wpm "
                                             "and spacing %3")
                                  .arg(options.ratio).arg(options.wpm).arg(options.spacingIndex)};
    return {options, QString()};
}

KeyingValues CwKeying(const CwOptions &options, TSineTable &table)
{
    if (options.seed)
        SeedRandom(*options.seed);
    else
        ReseedRandom();
    KeyingValues keying;
    keying.dot_samples = DotSamplesForSpeed(options.wpm);
    keying.freq = options.freq;
    keying.space_extra = SpaceExtraForIndex(options.spacingIndex, 0);
    keying.sine_table = &table;
    keying.amplitude = MakeSineTable(table, options.volume);
    return keying;
}
