#pragma once

#include "sending/CharacterSequencer.h"

#include "RecordingSendingView.h"
#include "ScriptedSoundOutput.h"

#include <memory>

// A sequencer on a scripted output and a recording view, on the plain-text
// tab at the start-up keying (25 wpm: a unit is 384 samples, 48 ms) and a
// fixed volume divisor, for the sequencer's test suites.
struct SequencerRig
{
    void resetRig()
    {
        table = std::make_unique<TSineTable>();
        MakeSineTable(*table, 4, 8);
        keying = KeyingValues{};
        keying.sine_table = table.get();
        seq.reset();
        output = std::make_unique<ScriptedSoundOutput>();
        output->open(MakePcmFormat());
        view = std::make_unique<RecordingSendingView>();
        view->display.tab = CharacterView::PlainTextTab;
        seq = std::make_unique<CharacterSequencer>(*output, *view, keying);
    }

    // Start pressed with text in the box; returns the first character's render failure.
    QString send(const QString &text)
    {
        view->pressStart();
        seq->send_text = text;
        seq->send_pos = 1;
        return seq->StartMorse();
    }

    std::unique_ptr<TSineTable> table;
    KeyingValues keying;
    std::unique_ptr<ScriptedSoundOutput> output;
    std::unique_ptr<RecordingSendingView> view;
    std::unique_ptr<CharacterSequencer> seq;
};
