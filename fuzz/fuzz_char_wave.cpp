// Fuzzes the rendering of one character: any code unit, any ratio text, and any
// keying values the window's controls or keylark-cw can set (10 to 60 wpm,
// every spacing entry, 400 to 1500 Hz, volume 0 to 8 with every divisor).
//
// The buffer is exactly as large as the program's, on the heap, so that
// AddressSanitizer catches a write past it. Invariants: the byte count is even
// and within the buffer; a character is refused, with zero bytes and a message,
// exactly when its ratio is needed and is no integer or when it does not fit;
// otherwise the count is that of its layout of bursts and gaps, every gap is
// silent, every burst starts at 0, no sample exceeds the sine table's peak and
// nothing after the counted samples is touched.
#include "FuzzCheck.h"

#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"
#include "morse/MorsePattern.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace {

constexpr audio_sample kUntouched = 0x5A5A;

struct SineTable {
    std::unique_ptr<TSineTable> samples;
    int peak = 0;
};

// Building a table takes 32768 sines, so each volume and divisor is built once.
const SineTable &sineTable(int volume, int divisor)
{
    static std::vector<SineTable> tables(9 * 8);
    SineTable &table = tables[std::size_t(volume * 8 + divisor - 8)];
    if (!table.samples) {
        table.samples = std::make_unique<TSineTable>();
        MakeSineTable(*table.samples, volume, divisor);
        for (const audio_sample s : *table.samples)
            table.peak = std::max(table.peak, std::abs(int(s)));
        FUZZ_CHECK(table.peak <= 32767);
    }
    return table;
}

const std::vector<char16_t> &codeUnitsWithMorse()
{
    static const std::vector<char16_t> units = [] {
        std::vector<char16_t> result;
        for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
            if (!LookupMorsePattern(char16_t(u)).empty())
                result.push_back(char16_t(u));
        }
        return result;
    }();
    return units;
}

struct Burst {
    std::int64_t start;
    std::int64_t length;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::unique_ptr<audio_sample[]> buffer(new audio_sample[kBufferSamples]);
    const std::span<audio_sample> samples(buffer.get(), kBufferSamples);

    FuzzedDataProvider input(data, size);
    const std::vector<char16_t> &withMorse = codeUnitsWithMorse();
    const char16_t c = input.ConsumeBool()
        ? withMorse[input.ConsumeIntegralInRange<std::size_t>(0, withMorse.size() - 1)]
        : input.ConsumeIntegral<char16_t>();
    const int volume = input.ConsumeIntegralInRange(0, 8);
    const int divisor = input.ConsumeIntegralInRange(8, 15);
    const SineTable &table = sineTable(volume, divisor);

    KeyingValues keying;
    keying.dot_samples = DotSamplesForSpeed(input.ConsumeIntegralInRange(10, 60));
    keying.space_extra = SpaceExtraForIndex(input.ConsumeIntegralInRange(0, 13), 0);
    keying.freq = FreqForPitchPosition(input.ConsumeIntegralInRange(400, 1500));
    keying.sine_table = table.samples.get();
    const std::int64_t unit = keying.dot_samples;
    const MorsePattern pattern = LookupMorsePattern(c);

    // Mostly the ratio text as typed; now and then the ratio at which the
    // character just fills the buffer, give or take one, since a typed ratio
    // rarely hits that edge by chance.
    QString ratioText;
    const auto dashes = std::int64_t(std::count(pattern.begin(), pattern.end(), '-'));
    if (dashes > 0 && input.ConsumeIntegralInRange(0, 3) == 0) {
        std::int64_t rest = (keying.space_extra + 2) * unit;
        for (const char symbol : pattern)
            rest += symbol == '-' ? unit : 2 * unit;
        const std::int64_t edge = (kBufferSamples - rest) / (dashes * unit);
        ratioText = QString::number(edge + input.ConsumeIntegralInRange(-1, 1));
    } else {
        const std::string bytes = input.ConsumeRemainingBytesAsString();
        ratioText = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    }

    // The layout the pattern asks for, in samples.
    bool ratioIsInteger = false;
    const std::int64_t ratio = ratioText.toInt(&ratioIsInteger);
    std::vector<Burst> bursts;
    std::int64_t length = 0;
    for (const char symbol : pattern) {
        const std::int64_t tone = symbol == '-' ? ratio * unit : symbol == '.' ? unit : 0;
        if (tone > 0)
            bursts.push_back({length, tone});
        length += std::max<std::int64_t>(tone, 0) + (symbol == ' ' ? 2 * unit : unit);
    }
    length += (keying.space_extra + 2) * unit;
    const bool needsRatio = pattern.find('-') != MorsePattern::npos;
    const bool renderable = (ratioIsInteger || !needsRatio) && length <= kBufferSamples;

    std::fill(samples.begin(), samples.end(), kUntouched);
    CharacterRenderer renderer(keying);
    const RenderResult result = renderer.MakeCharWave(samples, c, ratioText);

    FUZZ_CHECK(result.bytes >= 0 && result.bytes % 2 == 0 && result.bytes <= 2 * kBufferSamples);
    FUZZ_CHECK(result.ok() == renderable);
    if (!result.ok()) {
        FUZZ_CHECK(result.bytes == 0);
        FUZZ_CHECK(!result.error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(result.bytes == 2 * length);

    std::int64_t at = 0;
    for (const Burst &burst : bursts) {
        for (; at < burst.start; ++at)
            FUZZ_CHECK(samples[std::size_t(at)] == 0);
        FUZZ_CHECK(samples[std::size_t(at)] == 0);
        for (; at < burst.start + burst.length; ++at)
            FUZZ_CHECK(std::abs(int(samples[std::size_t(at)])) <= table.peak);
    }
    for (; at < length; ++at)
        FUZZ_CHECK(samples[std::size_t(at)] == 0);
    for (; at < kBufferSamples; ++at)
        FUZZ_CHECK(samples[std::size_t(at)] == kUntouched);
    return 0;
}
