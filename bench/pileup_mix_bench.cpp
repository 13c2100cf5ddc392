// Processor time the pile-up mixer takes per second of audio: a minute with
// ten callers, each starting a call every three seconds, the operator's side
// tone between, noise, fading and the second station all on; keying and
// mixing both counted, in blocks of 400 samples (50 ms, as a sound device
// reads). Prints the median and the range over the runs.
#include "pileup/PileUpMixer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    constexpr int kCallers = 10;
    constexpr std::int64_t kSeconds = 60;
    BandConditions all;
    all.noise = all.qsb = all.qrm = true;
    std::vector<double> costs;
    for (int run = 0; run < runs; ++run) {
        PileUpMixer mixer(all, 600, {QStringLiteral("JH1XYZ"), QStringLiteral("K1ABC")}, quint32(run + 1));
        std::vector<audio_sample> block(400);
        std::int64_t nextRound = 0;
        int round = 0;
        const double start = processorSeconds();
        while (mixer.position() < kSeconds * kSampleRate) {
            if (mixer.position() >= nextRound) {
                for (int c = 0; c < kCallers; ++c) {
                    Transmission t;
                    t.station = c;
                    t.text = QStringLiteral("JA%1XY%2 5NN 25").arg(c).arg(QChar(u'A' + round % 26));
                    t.dotSamples = 9600 / (22 + c);
                    t.freq = 350 + 50 * c;
                    t.amplitude = 0.3 + 0.07 * c;
                    t.flutter = c % 4 == 0;
                    t.start = mixer.position() + 800 + 300 * c;
                    mixer.add(t);
                }
                Transmission own;
                own.text = QStringLiteral("TU JA1ZZZ");
                own.start = mixer.position();
                mixer.add(own);
                nextRound += 3 * kSampleRate;
                ++round;
            }
            mixer.render(block.data(), int(block.size()));
        }
        costs.push_back((processorSeconds() - start) / double(kSeconds) * 1e6);
    }
    std::sort(costs.begin(), costs.end());
    std::printf("pile-up mix, %d callers + side tone + noise, fading, second station, %d runs of %lld s:\n",
                kCallers, runs, static_cast<long long>(kSeconds));
    std::printf("  median %6.0f us/s (%.3f %% of one core), range %.0f-%.0f us/s\n", costs[costs.size() / 2],
                costs[costs.size() / 2] / 1e4, costs.front(), costs.back());
    return 0;
}
