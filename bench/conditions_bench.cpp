// Processor time the band conditions take per second of audio: a minute of
// call signs at 25 wpm, mixed in blocks of 400 samples (50 ms, as a sound
// device reads), for each condition alone and all three together. Prints the
// median and the range over the runs.
#include "conditions/ConditionsMixer.h"
#include "conditions/station/QrmCallSigns.h"
#include "keying/CharacterRenderer.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::vector<audio_sample> callSignStream(const KeyingValues &keying)
{
    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples), stream;
    const QString text = MadeUpCallSigns(1, 400).join(u' ');
    for (const QChar c : text) {
        const RenderResult result = renderer.MakeCharWave(buffer, c.unicode(), u"3");
        stream.insert(stream.end(), buffer.begin(), buffer.begin() + result.bytes / 2);
        if (stream.size() >= std::size_t(60 * kSampleRate))
            break;
    }
    stream.resize(std::size_t(60 * kSampleRate));
    return stream;
}

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    auto table = std::make_unique<TSineTable>();
    KeyingValues keying;
    keying.amplitude = MakeSineTable(*table, 8, 8);
    keying.sine_table = table.get();
    const std::vector<audio_sample> clean = callSignStream(keying);
    const double audioSeconds = double(clean.size()) / kSampleRate;

    struct Case {
        const char *name;
        BandConditions conditions;
    };
    BandConditions noise, qsb, qrm, all;
    noise.noise = qsb.qsb = qrm.qrm = true;
    all.noise = all.qsb = all.qrm = true;
    const Case cases[] = {{"noise", noise}, {"fading", qsb}, {"second station", qrm}, {"all three", all}};
    std::printf("process() on %.0f s of audio, %d runs: processor time per second of audio\n", audioSeconds, runs);
    for (const Case &c : cases) {
        std::vector<double> costs;
        for (int run = 0; run < runs; ++run) {
            std::vector<audio_sample> samples = clean;
            ConditionsMixer mixer(c.conditions, {keying.freq, keying.dot_samples, double(keying.amplitude)},
                                  MadeUpCallSigns(2, 8), quint32(run + 1));
            const double start = processorSeconds();
            for (std::size_t done = 0; done < samples.size(); done += 400)
                mixer.process(samples.data() + done, int(std::min<std::size_t>(400, samples.size() - done)));
            costs.push_back((processorSeconds() - start) / audioSeconds * 1e6);
        }
        std::sort(costs.begin(), costs.end());
        std::printf("  %-15s median %6.0f us/s (%.3f %% of one core), range %.0f-%.0f us/s\n", c.name,
                    costs[costs.size() / 2], costs[costs.size() / 2] / 1e4, costs.front(), costs.back());
    }
    return 0;
}
