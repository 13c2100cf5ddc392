#pragma once

#include "DrillAnswer.h"

#include <QString>

// The call-sign tab as the drill sees it: the results list, the score panel,
// the speed and pitch spinners, the practice mode and the input box.
class DrillView
{
public:
    using Mode = PracticeMode;
    static constexpr Mode NormalMode = PracticeMode::Normal;
    static constexpr Mode StepMode = PracticeMode::Step;
    static constexpr Mode RandomMode = PracticeMode::Random;

    virtual ~DrillView() = default;

    virtual Mode practiceMode() const = 0;
    virtual bool callStreamTicked() const = 0;

    // Appends the answer's row ("No." is the row count after adding) and
    // returns that count.
    virtual int appendResultRow(const DrillAnswer &answer) = 0;
    virtual void clearResults() = 0;
    virtual void selectLastResultRow() = 0;  // selected and scrolled into view

    virtual void showScore(const QString &text) = 0;
    virtual void setScoreVisible(bool visible) = 0;

    virtual QString speedText() const = 0;
    virtual int speedPosition() const = 0;
    virtual int pitchHz() const = 0;
    // Setting a spinner runs its change handler, so the new keying applies
    // from the next character.
    virtual void setSpeedPosition(int wpm) = 0;
    virtual void setPitchPosition(int hz) = 0;

    virtual QString callInputText() const = 0;
    virtual void clearCallInput() = 0;
    virtual void focusCallInput() = 0;

    virtual void showNotice(const QString &text) = 0;  // a message box with OK
    virtual void showError(const QString &text) = 0;   // the error box
    virtual void restoreButtons() = 0;
};
