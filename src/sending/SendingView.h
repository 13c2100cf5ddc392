#pragma once

#include "CharacterView.h"

// Everything of the window that the sequencer works with, besides the
// character display steps: the buttons, the plain-text tab's end-of-run and
// stop steps and message boxes.
class SendingView : public CharacterView
{
public:
    // Start enabled, Stop disabled.
    virtual void restoreButtons() = 0;
    virtual void setStartEnabled(bool enabled) = 0;
    // Start disabled, Stop enabled: sound goes on, or a restart is pending,
    // and Stop must be able to end it.
    virtual void showSending() = 0;

    virtual void clearTicker() = 0;

    // Plain-text tab, a text sent to its end: rate meter emptied, rate timer off.
    virtual void plainTextRunEnded() = 0;
    // Plain-text tab, Stop: random-file mode unticked, both status panels
    // emptied, rate timer off.
    virtual void plainTextStopped() = 0;
    virtual bool randomFileTicked() const = 0;
    // The plain-text Start, run again after the pause of random-file mode
    // (on the plain-text tab whichever tab shows by then).
    virtual void startClicked() = 0;

    virtual void showError(const QString &message) = 0;
    virtual void showSoundWarning(const QString &message) = 0;
};
