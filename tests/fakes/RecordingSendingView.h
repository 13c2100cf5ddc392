#pragma once

#include "RecordingCharacterView.h"

#include "sending/SendingView.h"

#include <QStringList>

// The window as the sequencer sees it, recording what it is told.
class RecordingSendingView : public SendingView
{
public:
    RecordingCharacterView display;  // the character display state
    bool startEnabled = true;
    bool stopEnabled = false;
    bool randomFile = false;
    int runEnded = 0;
    QString tickerAtRunEnd;
    int stopped = 0;
    int startClicks = 0;
    QStringList errors;
    QStringList warnings;

    int activeTab() const override { return display.activeTab(); }
    bool callStreamTicked() const override { return display.callStreamTicked(); }
    bool tickerAfterSending() const override { return display.tickerAfterSending(); }
    QString callInputText() const override { return display.callInputText(); }
    void setCallInputText(const QString &text) override { display.setCallInputText(text); }
    void setTickerVisible(bool visible) override { display.setTickerVisible(visible); }
    void appendTicker(QChar c) override { display.appendTicker(c); }
    void countTextChar() override { display.countTextChar(); }

    void restoreButtons() override { startEnabled = true; stopEnabled = false; }
    void setStartEnabled(bool enabled) override { startEnabled = enabled; }
    void showSending() override { startEnabled = false; stopEnabled = true; }
    void clearTicker() override { display.ticker.clear(); }
    void plainTextRunEnded() override { ++runEnded; tickerAtRunEnd = display.ticker; }
    void plainTextStopped() override { ++stopped; randomFile = false; }
    bool randomFileTicked() const override { return randomFile; }
    void startClicked() override { ++startClicks; }
    void showError(const QString &message) override { errors << message; }
    void showSoundWarning(const QString &message) override { warnings << message; }

    // The head of the Start handler: Start disabled, Stop enabled.
    void pressStart() { showSending(); }
};
