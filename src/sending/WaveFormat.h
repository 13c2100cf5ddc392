#pragma once

#include <cstdint>

// The PCM format record handed to the sound output: 8000 Hz, mono, 16-bit.
struct tWAVEFORMATEX {
    std::uint16_t wFormatTag = 0;
    std::uint16_t nChannels = 0;
    std::uint32_t nSamplesPerSec = 0;
    std::uint32_t nAvgBytesPerSec = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t wBitsPerSample = 0;
    std::uint16_t cbSize = 0;
};

// The one format everything is rendered in.
constexpr tWAVEFORMATEX MakePcmFormat()
{
    return {1, 1, 8000, 16000, 2, 16, 0};
}

// Result codes of opening the sound output, as the multimedia result type has them.
enum MMResult : std::uint16_t {
    MMSYSERR_NOERROR = 0,
    MMSYSERR_ERROR = 1,
    MMSYSERR_ALLOCATED = 4,
    MMSYSERR_NODRIVER = 6,
    MMSYSERR_NOMEM = 7,
    WAVERR_BADFORMAT = 32,
};
