#pragma once

#include <string_view>

// A Morse pattern: "." a dot, "-" a dash, " " a gap inside the pattern (two extra
// units of silence). At most 11 symbols; empty when a character has no Morse.
using MorsePattern = std::string_view;

// The pattern keyed for one UTF-16 code unit. Never fails: a code unit without
// Morse gives the empty pattern.
MorsePattern LookupMorsePattern(char16_t codeUnit);
