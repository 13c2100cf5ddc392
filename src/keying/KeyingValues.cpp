#include "KeyingValues.h"

#include "RandomInt.h"

#include <cfenv>
#include <cmath>
#include <numbers>

int DotSamplesForSpeed(int wpm)
{
    return wpm > 0 ? 9600 / wpm : kMaxDotSamples;
}

int FreqForPitchPosition(int position)
{
    return ((position + 25) / 50) * 50;
}

int SpaceExtraForIndex(int index, int current)
{
    if (index >= 0 && index <= 6)
        return index;
    if (index >= 7 && index <= 13)
        return (index - 7) * 3 + 9;
    return current;
}

long double MakeSineTable(TSineTable &table, int volume, int divisor)
{
    const long double amplitude = static_cast<long double>(volume) / divisor;
    const long double peak = amplitude * 32767.0L;
    // nearbyint rounds in the current mode, which is to nearest with halves to
    // even unless someone changed it; make sure of it for this loop.
    const int savedRounding = std::fegetround();
    std::fesetround(FE_TONEAREST);
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const long double x = i * 2 * std::numbers::pi_v<long double> / 32768;
        table[i] = static_cast<audio_sample>(std::nearbyint(std::sin(x) * peak));
    }
    std::fesetround(savedRounding);
    return amplitude;
}

long double MakeSineTable(TSineTable &table, int volume)
{
    return MakeSineTable(table, volume, RandomInt(8) + 8);
}
