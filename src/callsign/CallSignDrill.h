#pragma once

#include "DrillView.h"

#include <QString>
#include <QStringList>

class CharacterSequencer;

// The call-sign drill: one random call sign at a time, each answer judged,
// scored and followed by the next call sign; or, with stream listening, one
// long run of call signs five spaces apart.
class CallSignDrill
{
public:
    CallSignDrill(DrillView &view, CharacterSequencer &sequencer);

    int call_total = 0;   // call signs sent in this drill, the one awaiting its answer included
    int call_ok = 0;      // answers judged correct
    int step_streak = 0;  // correct answers in a row in Step mode

    // Start on the call-sign tab, after the Start handler's common head.
    void start(const QStringList &callSigns);

    // Enter in the input box. With no call sign waiting for its answer it does
    // nothing at all and returns true. Otherwise the answer is judged and the
    // next call sign sent; when none can be sent the drill ends with a message,
    // the results kept, and false is returned so that the box keeps its text.
    bool answer(const QStringList &callSigns);

    // The repeat key: sends the call sign waiting for its answer once more, at
    // the keying now set, once it has been heard to its end. It is not a new
    // call sign: the counts, the score and the typed text stay as they are.
    // Returns whether it is sounding again; while it still sounds, during a
    // stream and with no drill running the key does nothing.
    bool repeat();

    // Stop pressed: the call sign sent is no longer waiting for an answer.
    void stop();

    // A call sign of the drill has been sent and not yet answered.
    bool callSignWaiting() const { return !m_waitingCall.isEmpty(); }

    // Builds the stream of n + 1 random call signs, five spaces apart, and sends it.
    void StartCallStream(const QStringList &callSigns);

    // "7/10 (70%)": the percentage truncated, computed exactly in integers.
    static QString scoreText(int ok, int total);
    // A call sign drawn uniformly among the non-empty entries; empty if none.
    static QString drawCallSign(const QStringList &callSigns);
    static bool hasCallSign(const QStringList &callSigns);
    static QString buildStream(const QStringList &callSigns);

    static constexpr int kStepAnswers = 10;

private:
    void drawRandomKeying();
    // Draws a call sign and starts it; returns the render failure, if any.
    QString sendCallSign(const QStringList &callSigns);
    void endDrill();

    DrillView &m_view;
    CharacterSequencer &m_sequencer;
    QString m_waitingCall;  // drawn call signs are never empty
};
