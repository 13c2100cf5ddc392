#pragma once

#include "keying/AudioTypes.h"

// Follows the wanted signal sample by sample to tell when its call sign's
// first character is sounding. A tone after a long silence (at least five
// units) begins a call sign; its first character lasts until the first
// silence of at least two units, the gap that ends a character. The stream
// holds exact zeros between characters; inside a tone only a few samples at a
// time are zero (the very first of each burst, the quietest steps of its
// edges), far fewer than a unit.
class CallSignStartWatch
{
public:
    static constexpr int kCallSignGapUnits = 5;
    static constexpr int kCharacterGapUnits = 2;

    explicit CallSignStartWatch(int unitSamples);

    // Takes the next sample of the wanted signal.
    void take(audio_sample sample)
    {
        if (sample != 0) {
            if (m_silence >= m_callSignGap)
                m_inFirstCharacter = true;
            m_silence = 0;
        } else if (m_silence < m_callSignGap) {
            if (++m_silence >= m_characterGap)
                m_inFirstCharacter = false;
        }
    }

    // True from the first sounding sample of a call sign's first character
    // until its closing gap has been heard.
    bool inFirstCharacter() const { return m_inFirstCharacter; }

private:
    int m_callSignGap;
    int m_characterGap;
    int m_silence;  // zero samples in a row, counted up to m_callSignGap
    bool m_inFirstCharacter = false;
};
