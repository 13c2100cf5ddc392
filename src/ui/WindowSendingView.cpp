#include "WindowSendingView.h"

#include "CallSignPage.h"
#include "MainWindow.h"
#include "PlainTextPage.h"

WindowSendingView::WindowSendingView(TfrmMain &shell, CallSignPage &callSigns, PlainTextPage &plainText)
    : m_shell(shell)
    , m_callSigns(callSigns)
    , m_plainText(plainText)
{
}

int WindowSendingView::activeTab() const { return m_shell.activeTab(); }
bool WindowSendingView::callStreamTicked() const { return m_callSigns.callStreamTicked(); }
bool WindowSendingView::tickerAfterSending() const { return m_plainText.tickerAfterSending(); }
QString WindowSendingView::callInputText() const { return m_callSigns.callInputText(); }
void WindowSendingView::setCallInputText(const QString &text) { m_callSigns.setCallInputText(text); }
void WindowSendingView::setTickerVisible(bool visible) { m_plainText.setTickerVisible(visible); }
void WindowSendingView::appendTicker(QChar c) { m_plainText.appendTicker(c); }
void WindowSendingView::countTextChar() { m_plainText.countTextChar(); }

void WindowSendingView::restoreButtons() { m_shell.RestoreButtons(); }
void WindowSendingView::setStartEnabled(bool enabled) { m_shell.setStartEnabled(enabled); }
void WindowSendingView::showSending() { m_shell.showSending(); }
void WindowSendingView::clearTicker() { m_plainText.clearTicker(); }
void WindowSendingView::plainTextRunEnded() { m_plainText.plainTextRunEnded(); }
void WindowSendingView::plainTextStopped() { m_plainText.plainTextStopped(); }
bool WindowSendingView::randomFileTicked() const { return m_plainText.randomFileTicked(); }
void WindowSendingView::startClicked() { m_shell.startPlainTextRun(); }
void WindowSendingView::showError(const QString &message) { m_plainText.showError(message); }
void WindowSendingView::showSoundWarning(const QString &message) { m_shell.showSoundWarning(message); }
