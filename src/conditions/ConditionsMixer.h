#pragma once

#include "BandConditions.h"
#include "keying/AudioTypes.h"

#include <QStringList>

#include <functional>
#include <memory>

// Lays the band's conditions over the sound stream as it is played: the wanted
// signal (the queued characters and the silence between them) fades, a second
// station calls now and then, and noise runs under and between everything.
// The sum is scaled with headroom so that no sample leaves the 16-bit range.
//
// process() runs on the sound output's thread; the setters may be called from
// any thread and apply from the next block.
class ConditionsMixer
{
public:
    struct Wanted {
        int freq = 700;           // pitch of the wanted signal, Hz
        int dotSamples = 384;     // its Morse unit, in samples
        double amplitude = 0.5;   // its tone's peak, as a fraction of full scale
    };

    // qrmCallSigns: what the second station may call (empty entries ignored);
    // seed makes every draw of noise, fading and the second station repeatable.
    ConditionsMixer(const BandConditions &conditions, const Wanted &wanted, QStringList qrmCallSigns,
                    quint32 seed);
    ~ConditionsMixer();
    ConditionsMixer(const ConditionsMixer &) = delete;
    ConditionsMixer &operator=(const ConditionsMixer &) = delete;

    // A mixer that goes on exactly as this one would from where it is now,
    // whatever the lengths of the blocks it is given: a sound output that
    // holds sound far ahead mixes that part with a copy and keeps this one
    // for what it can no longer take back. The copy tells no call hook.
    std::unique_ptr<ConditionsMixer> clone() const;

    const BandConditions &conditions() const;

    // The wanted signal moved in pitch (the noise band and the second station
    // follow) or changed level (the noise keeps its ratio to it).
    void setPitch(int hz);
    void setSignalLevel(double amplitude);

    // Turns the next count samples of the stream, which hold the wanted signal
    // as queued, into the stream as heard.
    void process(audio_sample *samples, int count);

    // Sending ended: noise and second station fade out over a short ramp; the
    // wanted signal still sounding keeps its fading. Once the ramp is over,
    // finished() is true and what remains is the wanted signal alone.
    void fadeOut();
    bool finished() const;

    // Told on process()'s thread whenever the second station begins a call:
    // the stream position of its first sample (counted from the first sample
    // ever processed), the call sign, its pitch and its unit in samples. Set it
    // before the first process(); it is for tests and diagnostics.
    using CallHook = std::function<void(qint64 start, const QString &callSign, int freq, int dotSamples)>;
    void setCallHook(CallHook hook);

private:
    struct State;
    explicit ConditionsMixer(std::unique_ptr<State> state);
    std::unique_ptr<State> d;
};
