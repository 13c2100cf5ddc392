#include "PileUpMixer.h"

#include "conditions/BandNoise.h"
#include "conditions/QsbFading.h"
#include "conditions/station/SecondStation.h"
#include "keying/CharacterRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>

namespace {

constexpr double kFullScale = 32767.0;
constexpr int kCutRamp = 40;  // samples over which Esc takes a signal down

} // namespace

struct PileUpMixer::Signal {
    int station = -1;
    std::vector<audio_sample> samples;  // at full scale
    std::int64_t start = 0;
    std::size_t read = 0;
    double amplitude = 1.0;
    std::optional<QsbFading> fading;
    double flutterHz = 0.0;             // 0: none
    double flutterPhase = 0.0;
    int cutLeft = -1;
};

struct PileUpMixer::Parts {
    std::optional<BandNoise> noise;
    std::unique_ptr<SecondStation> station;
};

PileUpMixer::PileUpMixer(const BandConditions &conditions, int pitch, QStringList qrmCallSigns, quint32 seed)
    : m_conditions(conditions), m_pitch(pitch), m_table(std::make_unique<TSineTable>()),
      d(std::make_unique<Parts>()), m_scratch(kBufferSamples), m_seed(seed)
{
    MakeSineTable(*m_table, 8, 8);
    if (conditions.noise) {
        d->noise.emplace(pitch, seed ^ 0x6e6f6973u);
        m_noiseSigma = std::sqrt(1.0 / (2.0 * std::pow(10.0, conditions.snrDb / 10.0)));
    }
    if (conditions.qrm) {
        d->station = std::make_unique<SecondStation>(std::move(qrmCallSigns), DotSamplesForSpeed(28), seed ^ 0x71726du);
        m_qrmLevel = d->station->relativeLevel();
    }
    const double peak = kHeadroomSignals + BandNoise::kPeakSigmas * m_noiseSigma + m_qrmLevel;
    m_gain = (kFullScale - 1.0) / kFullScale / peak;
}

PileUpMixer::~PileUpMixer() = default;

void PileUpMixer::add(const Transmission &t)
{
    auto s = std::make_unique<Signal>();
    KeyingValues keying;
    keying.dot_samples = std::clamp(t.dotSamples, 1, kMaxDotSamples);
    keying.freq = t.freq;
    keying.amplitude = 1.0L;
    keying.sine_table = m_table.get();
    CharacterRenderer renderer(keying);
    for (const QChar c : t.text) {
        const RenderResult r = renderer.MakeCharWave(m_scratch, c.unicode(), u"3");
        if (r.ok())
            s->samples.insert(s->samples.end(), m_scratch.begin(), m_scratch.begin() + r.bytes / 2);
    }
    s->station = t.station;
    s->start = std::max(t.start, m_position);
    s->amplitude = std::clamp(t.amplitude, 0.0, 1.0);
    // Each caller fades in its own way, drawn from the run's seed.
    std::mt19937 random(m_seed + 7919u * ++m_added + quint32(t.station + 1));
    if (t.station >= 0 && m_conditions.qsb)
        s->fading.emplace(m_conditions.qsbDepthDb, quint32(t.station + 1) * 2654435761u ^ m_seed);
    if (t.station >= 0 && t.flutter) {
        s->flutterHz = std::uniform_real_distribution<double>(8.0, 20.0)(random);
        s->flutterPhase = std::uniform_real_distribution<double>(0.0, 2 * std::numbers::pi)(random);
    }
    m_signals.push_back(std::move(s));
}

void PileUpMixer::stop(int station)
{
    for (auto &s : m_signals) {
        if (s->station == station && s->cutLeft < 0)
            s->cutLeft = kCutRamp;
    }
}

double PileUpMixer::conditionsAt(Signal &s)
{
    double g = s.amplitude;
    if (s.fading)
        g *= s.fading->gainAt(m_position);
    if (s.flutterHz > 0.0) {
        const double t = double(m_position) / kSampleRate;
        g *= 0.6 + 0.4 * std::sin(2 * std::numbers::pi * s.flutterHz * t + s.flutterPhase);
    }
    if (s.cutLeft >= 0)
        g *= double(s.cutLeft) / kCutRamp;
    return g;
}

void PileUpMixer::render(audio_sample *out, int frames)
{
    for (int i = 0; i < frames; ++i, ++m_position) {
        double sum = 0.0;
        bool keyed = false;
        for (auto &sp : m_signals) {
            Signal &s = *sp;
            if (m_position < s.start || s.read >= s.samples.size())
                continue;
            keyed = keyed || s.samples[s.read] != 0;
            sum += s.samples[s.read++] * conditionsAt(s);
            if (s.cutLeft > 0)
                --s.cutLeft;
            else if (s.cutLeft == 0)
                s.read = s.samples.size();
        }
        if (d->noise)
            sum += d->noise->next(m_noiseSigma * kFullScale);
        if (d->station)
            sum += d->station->next(m_position, m_pitch, !keyed) * m_qrmLevel * kFullScale;
        out[i] = audio_sample(std::clamp(std::lround(sum * m_gain), -32767L, 32767L));
    }
    m_signals.erase(std::remove_if(m_signals.begin(), m_signals.end(),
                                   [](const auto &s) { return s->read >= s->samples.size(); }),
                    m_signals.end());
}
