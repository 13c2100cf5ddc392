#include "CharacterLength.h"

#include "morse/MorsePattern.h"

#include <algorithm>

std::int64_t CharacterUnits(char16_t c, std::int64_t ratio, int spaceExtra)
{
    std::int64_t units = spaceExtra + 2;
    for (const char symbol : LookupMorsePattern(c))
        units += symbol == '-' ? std::max<std::int64_t>(ratio, 0) + 1 : 2;
    return units;
}
