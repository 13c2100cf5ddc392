#pragma once

#include "keying/CharacterView.h"

// Everything of the window that the sequencer works with, besides the
// character display steps: the buttons, the plain-text tab's end-of-run and
// stop steps, the ratio box and message boxes.
class SendingView : public CharacterView
{
public:
    // Start enabled, Stop disabled.
    virtual void restoreButtons() = 0;
    virtual void setStartEnabled(bool enabled) = 0;

    // The dash-to-dot ratio as typed, read at every dash.
    virtual QString ratioText() const = 0;

    virtual void clearTicker() = 0;

    // Plain-text tab, a text sent to its end: rate meter emptied, rate timer off.
    virtual void plainTextRunEnded() = 0;
    // Plain-text tab, Stop: random-file mode unticked, both status panels
    // emptied, rate timer off.
    virtual void plainTextStopped() = 0;
    virtual bool randomFileTicked() const = 0;
    // The Start button's handler, run again after the pause of random-file mode.
    virtual void startClicked() = 0;

    virtual void showError(const QString &message) = 0;
    virtual void showSoundWarning(const QString &message) = 0;
};
