#pragma once

#include "Transmission.h"
#include "conditions/BandConditions.h"
#include "keying/AudioTypes.h"

#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// Mixes the keyed signals of a pile-up into the one 16-bit mono stream at
// 8000 Hz: each station's text keyed by the trainer's character renderer at
// its own speed, pitch and strength, the callers faded (slowly with QSB on,
// fast flutter for some), band noise and the second station over all; the
// operator's own side tone is mixed clean.
//
// Headroom: the sum is scaled once and for all so that five signals at full
// strength plus the noise at its limit (BandNoise::kPeakSigmas) and the second
// station at its loudest stay one step below full scale; nothing clips then.
// More than five full-strength signals at the same instant are clamped at
// full scale, which no run reaches in practice (strengths are spread).
//
// Pull model: render() writes the next frames and moves position() on.
class PileUpMixer
{
public:
    static constexpr int kHeadroomSignals = 5;

    PileUpMixer(const BandConditions &conditions, int pitch, QStringList qrmCallSigns, quint32 seed);
    ~PileUpMixer();
    PileUpMixer(const PileUpMixer &) = delete;
    PileUpMixer &operator=(const PileUpMixer &) = delete;

    // Keys t from t.start on (a start already past begins at once).
    void add(const Transmission &t);
    // Cuts station's signals at the current position, with a short ramp (Esc).
    void stop(int station);

    void render(audio_sample *out, int frames);
    std::int64_t position() const { return m_position; }
    // The factor every signal's peak is multiplied by before it is summed.
    double gain() const { return m_gain; }
    int sounding() const { return int(m_signals.size()); }

private:
    struct Signal;
    double conditionsAt(Signal &s);

    BandConditions m_conditions;
    int m_pitch;
    std::unique_ptr<TSineTable> m_table;
    struct Parts;
    std::unique_ptr<Parts> d;
    std::vector<std::unique_ptr<Signal>> m_signals;
    std::vector<audio_sample> m_scratch;
    std::int64_t m_position = 0;
    double m_gain = 1.0;
    double m_noiseSigma = 0.0;
    double m_qrmLevel = 0.0;
    quint32 m_seed;
    quint32 m_added = 0;
};
