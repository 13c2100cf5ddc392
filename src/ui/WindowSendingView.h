#pragma once

#include "sending/SendingView.h"

class CallSignPage;
class PlainTextPage;
class TfrmMain;

// The window as the sequencer sees it. Sending spans the whole window (the
// stream echo on the call-sign tab, the ticker and rate meter on the
// plain-text tab, the buttons of the shell),
// so this small class hands each request to the room that owns the control.
class WindowSendingView : public SendingView
{
public:
    WindowSendingView(TfrmMain &shell, CallSignPage &callSigns, PlainTextPage &plainText);

    int activeTab() const override;
    bool callStreamTicked() const override;
    bool tickerAfterSending() const override;
    QString callInputText() const override;
    void setCallInputText(const QString &text) override;
    void setTickerVisible(bool visible) override;
    void appendTicker(QChar c) override;
    void countTextChar() override;

    void restoreButtons() override;
    void setStartEnabled(bool enabled) override;
    void showSending() override;
    void clearTicker() override;
    void plainTextRunEnded() override;
    void plainTextStopped() override;
    bool randomFileTicked() const override;
    void startClicked() override;
    void showError(const QString &message) override;
    void showSoundWarning(const QString &message) override;

private:
    TfrmMain &m_shell;
    CallSignPage &m_callSigns;
    PlainTextPage &m_plainText;
};
