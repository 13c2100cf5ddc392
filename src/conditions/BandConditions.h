#pragma once

// What the band adds to the wanted signal in the call-sign drill and stream:
// receiver noise, fading and a second station. All off is a clean tone in
// silence, sample for sample the sound without conditions.
struct BandConditions {
    bool noise = false;
    int snrDb = 10;        // signal to noise, in a 500 Hz receiver filter
    bool qsb = false;
    int qsbDepthDb = 10;   // the deepest fade below the full signal
    bool qrm = false;

    bool anyOn() const { return noise || qsb || qrm; }
    bool operator==(const BandConditions &) const = default;
};

inline constexpr int kMinSnrDb = -10;
inline constexpr int kMaxSnrDb = 30;
inline constexpr int kMinQsbDepthDb = 3;
inline constexpr int kMaxQsbDepthDb = 30;
