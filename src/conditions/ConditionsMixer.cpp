#include "ConditionsMixer.h"

#include "BandNoise.h"
#include "conditions/station/CallSignStartWatch.h"
#include "QsbFading.h"
#include "conditions/station/SecondStation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>
#include <random>

namespace {

constexpr double kFullScale = 32767.0;

// A level change glides over some 20 ms (the time constant of a one-pole
// follower), quick to the ear yet no step.
const double kLevelGlide = 1.0 - std::exp(-1.0 / (0.020 * kSampleRate));

// fadeOut() takes noise and second station down over 40 ms.
constexpr int kFadeOutSamples = kSampleRate * 40 / 1000;

} // namespace

struct ConditionsMixer::State {
    State(const BandConditions &c, const Wanted &w, QStringList callSigns, quint32 seed)
        : conditions(c), wanted(w), watch(std::max(1, w.dotSamples)), pitch(w.freq), levelTarget(w.amplitude),
          level(w.amplitude)
    {
        // Each part draws from its own generator, so that turning one
        // condition on or off leaves the others' draws as they were.
        std::seed_seq sequence{seed, 0x4b45594cu};
        std::array<quint32, 3> seeds{};
        sequence.generate(seeds.begin(), seeds.end());
        if (c.noise) {
            noise.emplace(w.freq, seeds[0]);
            noiseSigma = std::sqrt(1.0 / (2.0 * std::pow(10.0, c.snrDb / 10.0)));
        }
        if (c.qsb)
            fading.emplace(c.qsbDepthDb, seeds[1]);
        if (c.qrm) {
            station = std::make_unique<SecondStation>(std::move(callSigns), std::max(1, w.dotSamples), seeds[2]);
            qrmLevel = station->relativeLevel();
        }
        hasExtras = c.noise || c.qrm;
    }

    State(const State &o)
        : conditions(o.conditions), wanted(o.wanted), noise(o.noise), fading(o.fading),
          station(o.station ? std::make_unique<SecondStation>(*o.station) : nullptr), watch(o.watch),
          noiseSigma(o.noiseSigma), qrmLevel(o.qrmLevel), hasExtras(o.hasExtras), pitch(o.pitch.load()),
          levelTarget(o.levelTarget.load()), fadeRequested(o.fadeRequested.load()), done(o.done.load()),
          level(o.level), position(o.position), fadeLeft(o.fadeLeft)
    {
    }

    // The gain of the whole sum at a wanted peak of level: the loudest the
    // wanted tone, the second station at its loudest and the noise at its
    // limit can add up to is one step below full scale, so that rounding
    // never reaches it either.
    double headroom(double atLevel) const
    {
        constexpr double ceiling = (kFullScale - 1.0) / kFullScale;
        const double peak = atLevel * (1.0 + qrmLevel + BandNoise::kPeakSigmas * noiseSigma);
        return peak > ceiling ? ceiling / peak : 1.0;
    }

    const BandConditions conditions;
    const Wanted wanted;
    std::optional<BandNoise> noise;
    std::optional<QsbFading> fading;
    std::unique_ptr<SecondStation> station;
    CallSignStartWatch watch;
    double noiseSigma = 0.0;  // its standard deviation beside the wanted peak
    double qrmLevel = 0.0;    // the second station's peak beside the wanted peak
    bool hasExtras = false;

    std::atomic<int> pitch;
    std::atomic<double> levelTarget;
    std::atomic<bool> fadeRequested{false};
    std::atomic<bool> done{false};

    // Touched by process() alone.
    double level;
    qint64 position = 0;
    int fadeLeft = -1;  // samples of the fade-out still to go; -1 before it began
};

ConditionsMixer::ConditionsMixer(const BandConditions &conditions, const Wanted &wanted, QStringList qrmCallSigns,
                                 quint32 seed)
    : d(std::make_unique<State>(conditions, wanted, std::move(qrmCallSigns), seed))
{
}

ConditionsMixer::ConditionsMixer(std::unique_ptr<State> state) : d(std::move(state)) {}

ConditionsMixer::~ConditionsMixer() = default;

std::unique_ptr<ConditionsMixer> ConditionsMixer::clone() const
{
    return std::unique_ptr<ConditionsMixer>(new ConditionsMixer(std::make_unique<State>(*d)));
}

const BandConditions &ConditionsMixer::conditions() const
{
    return d->conditions;
}

void ConditionsMixer::setPitch(int hz)
{
    d->pitch.store(hz);
}

void ConditionsMixer::setSignalLevel(double amplitude)
{
    d->levelTarget.store(amplitude);
}

void ConditionsMixer::fadeOut()
{
    d->fadeRequested.store(true);
    if (!d->hasExtras)
        d->done.store(true);
}

bool ConditionsMixer::finished() const
{
    return d->done.load();
}

void ConditionsMixer::setCallHook(CallHook hook)
{
    if (!d->station)
        return;
    d->station->setCallHook([hook = std::move(hook)](const SecondStation::Call &call) {
        hook(call.start, call.callSign, call.freq, call.dotSamples);
    });
}

void ConditionsMixer::process(audio_sample *samples, int count)
{
    State &s = *d;
    if (!s.conditions.anyOn())
        return;
    const int pitch = s.pitch.load();
    const double target = s.levelTarget.load();
    if (s.noise)
        s.noise->setCentre(pitch);
    if (s.fadeLeft < 0 && s.fadeRequested.load())
        s.fadeLeft = kFadeOutSamples;

    for (int i = 0; i < count; ++i, ++s.position) {
        s.level += (target - s.level) * kLevelGlide;
        const audio_sample in = samples[i];
        double sum = in;
        if (s.fading)
            sum *= s.fading->gainAt(s.position);
        if (s.hasExtras && s.fadeLeft != 0) {
            double extra = 0.0;
            if (s.noise)
                extra += s.noise->next(s.level * s.noiseSigma * kFullScale);
            if (s.station) {
                s.watch.take(in);
                extra += s.station->next(s.position, pitch, !s.watch.inFirstCharacter()) * s.qrmLevel * s.level
                    * kFullScale;
            }
            if (s.fadeLeft > 0)
                extra *= double(--s.fadeLeft) / kFadeOutSamples;
            sum += extra;
        }
        sum *= s.headroom(s.level);
        samples[i] = audio_sample(std::clamp(std::lround(sum), -32768L, 32767L));
    }
    if (s.fadeLeft == 0)
        s.done.store(true);
}
