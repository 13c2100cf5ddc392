#pragma once

#include "conditions/BandConditions.h"

#include <QStringList>

#include <memory>

class ConditionsMixer;
class SoundOutput;
struct KeyingValues;

// The band's conditions of one call-sign run: made at Start from the chosen
// conditions, the keying and the loaded list, laid over the sound output for
// as long as the run lasts, and faded out when it ends.
class CallSignConditions
{
public:
    explicit CallSignConditions(SoundOutput &output);
    ~CallSignConditions();

    // A drill or stream starts; with every condition off the output plays the
    // call signs as they are.
    void begin(const BandConditions &conditions, const KeyingValues &keying, const QStringList &callSigns);
    // The pitch or level of the wanted signal moved during the run.
    void toneChanged(const KeyingValues &keying);
    // The run has ended or been stopped.
    void end();

    bool active() const { return m_mixer != nullptr; }

private:
    SoundOutput &m_output;
    std::shared_ptr<ConditionsMixer> m_mixer;
};
