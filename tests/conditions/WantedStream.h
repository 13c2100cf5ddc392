#pragma once

#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"

#include <QString>

#include <memory>
#include <vector>

// The wanted signal as the sound output queues it: the characters of a text
// rendered back to back by the trainer's renderer, zeros between them.
struct WantedStream {
    std::unique_ptr<TSineTable> table = std::make_unique<TSineTable>();
    KeyingValues keying;
    std::vector<audio_sample> samples;

    WantedStream(const QString &text, int freq, int dotSamples, int volume = 4, int divisor = 8)
    {
        keying.freq = freq;
        keying.dot_samples = dotSamples;
        keying.amplitude = MakeSineTable(*table, volume, divisor);
        keying.sine_table = table.get();
        CharacterRenderer renderer(keying);
        std::vector<audio_sample> buffer(kBufferSamples);
        for (const QChar c : text) {
            const RenderResult result = renderer.MakeCharWave(buffer, c.unicode(), u"3");
            samples.insert(samples.end(), buffer.begin(), buffer.begin() + result.bytes / 2);
        }
    }
};
