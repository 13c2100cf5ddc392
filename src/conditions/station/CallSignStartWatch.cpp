#include "CallSignStartWatch.h"

// The stream begins in silence, so its first tone begins a call sign.
CallSignStartWatch::CallSignStartWatch(int unitSamples)
    : m_callSignGap(kCallSignGapUnits * unitSamples),
      m_characterGap(kCharacterGapUnits * unitSamples),
      m_silence(m_callSignGap)
{
}
