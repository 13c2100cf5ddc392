#include "CallSignConditions.h"

#include "conditions/ConditionsMixer.h"
#include "keying/KeyingValues.h"
#include "sending/SoundOutput.h"

#include <QRandomGenerator>

CallSignConditions::CallSignConditions(SoundOutput &output) : m_output(output) {}

CallSignConditions::~CallSignConditions() = default;

void CallSignConditions::begin(const BandConditions &conditions, const KeyingValues &keying,
                               const QStringList &callSigns)
{
    if (!conditions.anyOn()) {
        end();
        return;
    }
    const ConditionsMixer::Wanted wanted{keying.freq, keying.dot_samples, double(keying.amplitude)};
    m_mixer = std::make_shared<ConditionsMixer>(conditions, wanted, callSigns,
                                                QRandomGenerator::global()->generate());
    m_output.setConditions(m_mixer);
}

void CallSignConditions::toneChanged(const KeyingValues &keying)
{
    if (!m_mixer)
        return;
    m_mixer->setPitch(keying.freq);
    m_mixer->setSignalLevel(double(keying.amplitude));
}

void CallSignConditions::end()
{
    if (!m_mixer)
        return;
    m_mixer.reset();
    m_output.setConditions(nullptr);
}
