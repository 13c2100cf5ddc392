#include "SecondStation.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinUnit = 160;
constexpr int kMaxUnit = kMaxDotSamples;

// Slower or faster than the wanted station by a tenth to three tenths.
constexpr double kMinSpeedChange = 0.1;
constexpr double kMaxSpeedChange = 0.3;

constexpr double kMinLevel = 0.3;
constexpr double kMaxLevel = 1.1;

} // namespace

SecondStation::SecondStation(QStringList callSigns, int wantedUnit, unsigned int seed)
    : m_random(seed), m_renderer(m_keying)
{
    auto table = std::make_shared<TSineTable>();
    callSigns.removeAll(QString());
    m_callSigns = callSigns;

    std::uniform_real_distribution<double> unit(0.0, 1.0);
    m_offsetHz = kMinOffsetHz + int(std::lround(unit(m_random) * (kMaxOffsetHz - kMinOffsetHz)));
    if (unit(m_random) < 0.5)
        m_offsetHz = -m_offsetHz;
    m_level = kMinLevel + unit(m_random) * (kMaxLevel - kMinLevel);

    // Its speed differs from the wanted one, to whichever side the renderer's
    // range leaves room for.
    const double change = kMinSpeedChange + unit(m_random) * (kMaxSpeedChange - kMinSpeedChange);
    const bool slower = unit(m_random) < 0.5;
    int dot = int(std::lround(wantedUnit * (slower ? 1.0 + change : 1.0 - change)));
    if (dot > kMaxUnit || dot < kMinUnit)
        dot = int(std::lround(wantedUnit * (slower ? 1.0 - change : 1.0 + change)));
    m_keying.dot_samples = std::clamp(dot, kMinUnit, kMaxUnit);

    m_keying.amplitude = MakeSineTable(*table, 8, 8);
    m_keying.sine_table = table.get();
    m_table = std::move(table);
    m_scratch.resize(kBufferSamples);
    m_nextCallAt = pauseSamples(1.0, 4.0);
}

SecondStation::~SecondStation() = default;

SecondStation::SecondStation(const SecondStation &other)
    : m_callSigns(other.m_callSigns)
    , m_random(other.m_random)
    , m_offsetHz(other.m_offsetHz)
    , m_level(other.m_level)
    , m_table(other.m_table)
    , m_keying(other.m_keying)
    , m_renderer(m_keying)
    , m_scratch(other.m_scratch.size())
    , m_call(other.m_call)
    , m_read(other.m_read)
    , m_nextCallAt(other.m_nextCallAt)
{
}

std::int64_t SecondStation::pauseSamples(double lowSeconds, double highSeconds)
{
    std::uniform_real_distribution<double> seconds(lowSeconds, highSeconds);
    return std::int64_t(seconds(m_random) * kSampleRate);
}

double SecondStation::startCall(std::int64_t position, int wantedFreq)
{
    const int index = std::uniform_int_distribution<int>(0, int(m_callSigns.size()) - 1)(m_random);
    const QString callSign = m_callSigns[index];
    const bool twice = std::uniform_int_distribution<int>(0, 1)(m_random) == 1;
    const int offset = wantedFreq + m_offsetHz < kLowestPitchHz ? std::abs(m_offsetHz) : m_offsetHz;
    m_keying.freq = wantedFreq + offset;

    m_call.clear();
    m_read = 0;
    const QString text = twice ? callSign + u' ' + callSign : callSign;
    for (const QChar c : text) {
        const RenderResult result = m_renderer.MakeCharWave(m_scratch, c.unicode(), u"3");
        if (result.ok())
            m_call.insert(m_call.end(), m_scratch.begin(), m_scratch.begin() + result.bytes / 2);
    }
    m_nextCallAt = position + std::int64_t(m_call.size()) + pauseSamples(2.0, 6.0);
    if (m_hook)
        m_hook({position, callSign, m_keying.freq, m_keying.dot_samples});
    return m_read < m_call.size() ? m_call[m_read++] / 32767.0 : 0.0;
}
