#pragma once

#include <cstdint>

// The length of one rendered character in Morse units, worked out from its
// pattern without rendering it: a dot and a gap inside the pattern are two
// units each, a dash is ratio units of tone (none for a ratio below 1) and one
// of silence, and the closing gap is spaceExtra + 2 units. A code unit without
// Morse is its closing gap alone. Multiplied by the unit in samples this is
// exactly what the renderer writes, so a length can be known before rendering.
std::int64_t CharacterUnits(char16_t c, std::int64_t ratio, int spaceExtra);
