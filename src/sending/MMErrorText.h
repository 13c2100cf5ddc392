#pragma once

#include <QString>

#include <cstdint>

// The English text of a multimedia result code; never fails.
QString MMErrorText(std::uint16_t code);

// The warning shown when no sound output can be opened.
QString OpenErrorMessage(std::uint16_t code);

// The warning shown when the sound output stops working while a text sounds.
QString OutputLostMessage();
