#pragma once

#include <QString>

#include <cstdint>

// One station keying one message: what, how and from which sample of the
// output stream (8000 samples per second). The operator is station -1.
struct Transmission {
    int station = -1;
    QString text;
    int dotSamples = 384;     // one Morse unit
    int freq = 600;           // Hz
    double amplitude = 1.0;   // peak, as a fraction of full scale before the mix's headroom
    bool flutter = false;     // fast fading, as over a polar path
    std::int64_t start = 0;
    std::int64_t length = 0;  // samples, closing gaps included
};

// The samples text takes at a unit of dotSamples, as the character renderer
// writes it with a dash of three units and no extra spacing.
std::int64_t keyedLength(const QString &text, int dotSamples);
