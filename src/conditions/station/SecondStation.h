#pragma once

#include "keying/AudioTypes.h"
#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

// Another station calling near the wanted one: now and then, seconds apart,
// it sends one of its call signs once or twice, a little off the wanted
// pitch, at its own speed and level. It is rendered by the trainer's own
// character renderer, with a sine table of its own at full scale; the mixer
// sets its loudness.
class SecondStation
{
public:
    static constexpr int kMinOffsetHz = 100;
    static constexpr int kMaxOffsetHz = 400;
    static constexpr int kLowestPitchHz = 300;

    struct Call {
        std::int64_t start = 0;  // stream position of its first sample
        QString callSign;
        int freq = 0;
        int dotSamples = 0;
    };

    // callSigns: what it may call, empty entries ignored; with none it never calls.
    SecondStation(QStringList callSigns, int wantedUnit, unsigned int seed);
    ~SecondStation();
    // A copy goes on exactly as the original would, from where it is now; it
    // shares the sine table and tells no hook.
    SecondStation(const SecondStation &other);
    SecondStation &operator=(const SecondStation &) = delete;

    // Its level beside the wanted signal's peak.
    double relativeLevel() const { return m_level; }

    // The next sample of the stream at position, as a fraction of full scale
    // before its level is applied. A call due while mayStart is false waits
    // for the first sample where it is true.
    double next(std::int64_t position, int wantedFreq, bool mayStart)
    {
        if (m_read < m_call.size())
            return m_call[m_read++] / 32767.0;
        if (position >= m_nextCallAt && mayStart && !m_callSigns.isEmpty())
            return startCall(position, wantedFreq);
        return 0.0;
    }

    // Called on the mixing thread as every call begins (for tests and logs).
    void setCallHook(std::function<void(const Call &)> hook) { m_hook = std::move(hook); }

private:
    double startCall(std::int64_t position, int wantedFreq);
    std::int64_t pauseSamples(double lowSeconds, double highSeconds);

    QStringList m_callSigns;
    std::mt19937 m_random;
    int m_offsetHz = 0;     // signed: which side of the wanted pitch
    double m_level = 1.0;
    std::shared_ptr<TSineTable> m_table;  // shared by copies, never changed after construction
    KeyingValues m_keying;
    CharacterRenderer m_renderer;
    std::vector<audio_sample> m_scratch;  // one character, as the renderer writes it
    std::vector<audio_sample> m_call;     // the call being sent
    std::size_t m_read = 0;
    std::int64_t m_nextCallAt = 0;
    std::function<void(const Call &)> m_hook;
};
