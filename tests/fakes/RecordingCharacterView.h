#pragma once

#include "sending/CharacterView.h"

// Stands in for the window: holds the state the display steps read and records
// what they change.
class RecordingCharacterView : public CharacterView
{
public:
    int tab = CallSignTab;
    bool stream = false;
    bool afterSending = false;
    QString callInput;
    QString ticker;
    bool tickerVisible = true;
    int textChars = 0;

    int activeTab() const override { return tab; }
    bool callStreamTicked() const override { return stream; }
    bool tickerAfterSending() const override { return afterSending; }
    QString callInputText() const override { return callInput; }
    void setCallInputText(const QString &text) override { callInput = text; }
    void setTickerVisible(bool visible) override { tickerVisible = visible; }
    void appendTicker(QChar c) override { ticker += c; }
    void countTextChar() override { ++textChars; }
};
