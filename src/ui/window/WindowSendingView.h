#pragma once

#include "sending/SendingView.h"

class CallSignPage;
class CoursePage;
class PlainTextPage;
class TfrmMain;

// The window as the sequencer sees it. Sending spans the whole window (the
// stream echo on the call-sign tab, the ticker and rate meter on the
// plain-text tab, the buttons of the shell),
// so this small class hands each request to the room that owns the control.
// The course tab has a ticker and a rate meter of its own and ends its runs
// in its own way; the plain-text tab's display timing applies to both.
class WindowSendingView : public SendingView
{
public:
    WindowSendingView(TfrmMain &shell, CallSignPage &callSigns, PlainTextPage &plainText, CoursePage &course);

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
    bool onCourseTab() const;

    TfrmMain &m_shell;
    CallSignPage &m_callSigns;
    PlainTextPage &m_plainText;
    CoursePage &m_course;
};
