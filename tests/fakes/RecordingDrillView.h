#pragma once

#include "callsign/DrillView.h"
#include "keying/KeyingValues.h"

#include <QList>
#include <QStringList>

#include <algorithm>

// The call-sign tab as the drill sees it, with spinners that stop at their
// limits like the real ones.
class RecordingDrillView : public DrillView
{
public:
    struct Row {
        QString number, input, call, speed, verdict;
    };

    Mode mode = NormalMode;
    bool stream = false;
    QList<Row> rows;
    bool scoreVisible = false;
    QString score;
    int speed = 25;
    QList<int> speedRequests;  // as asked, before the spinner's limits
    int pitch = 700;
    QList<int> pitchesSet;
    QString input;
    bool inputFocused = false;
    QStringList notices;
    QStringList errors;
    int restoreCount = 0;
    int selectedRow = -1;

    Mode practiceMode() const override { return mode; }
    bool callStreamTicked() const override { return stream; }
    int appendResultRow(const DrillAnswer &answer) override
    {
        rows.append({QString::number(rows.size() + 1), answer.answer, answer.callSign, answer.speedText,
                     verdictName(answer.correct)});
        return int(rows.size());
    }
    void clearResults() override { rows.clear(); selectedRow = -1; }
    void selectLastResultRow() override { selectedRow = int(rows.size()) - 1; }
    void showScore(const QString &text) override { score = text; }
    void setScoreVisible(bool visible) override { scoreVisible = visible; }
    QString speedText() const override { return QString::number(speed); }
    int speedPosition() const override { return speed; }
    int pitchHz() const override { return pitch; }
    void setSpeedPosition(int wpm) override
    {
        speedRequests << wpm;
        speed = std::clamp(wpm, 10, 60);
    }
    void setPitchPosition(int hz) override
    {
        pitch = std::clamp(hz, 400, 1500);
        pitchesSet << pitch;
    }
    QString callInputText() const override { return input; }
    void clearCallInput() override { input.clear(); }
    void focusCallInput() override { inputFocused = true; }
    void showNotice(const QString &text) override { notices << text; }
    void showError(const QString &text) override { errors << text; }
    void restoreButtons() override { ++restoreCount; }
};
