#include "WindowSendingView.h"

#include "CallSignPage.h"
#include "CoursePage.h"
#include "MainWindow.h"
#include "PlainTextPage.h"
#include "SettingsPanel.h"

WindowSendingView::WindowSendingView(TfrmMain &shell, CallSignPage &callSigns, PlainTextPage &plainText,
                                     CoursePage &course, SettingsPanel &settings)
    : m_shell(shell)
    , m_callSigns(callSigns)
    , m_plainText(plainText)
    , m_course(course)
    , m_settings(settings)
{
}

int WindowSendingView::activeTab() const { return m_shell.activeTab(); }
bool WindowSendingView::onCourseTab() const { return activeTab() == CharacterView::CourseTab; }
bool WindowSendingView::callStreamTicked() const { return m_callSigns.callStreamTicked(); }
bool WindowSendingView::tickerAfterSending() const { return m_plainText.tickerAfterSending(); }
QString WindowSendingView::callInputText() const { return m_callSigns.callInputText(); }
void WindowSendingView::setCallInputText(const QString &text) { m_callSigns.setCallInputText(text); }

void WindowSendingView::setTickerVisible(bool visible)
{
    onCourseTab() ? m_course.setTickerVisible(visible) : m_plainText.setTickerVisible(visible);
}

void WindowSendingView::appendTicker(QChar c)
{
    onCourseTab() ? m_course.appendTicker(c) : m_plainText.appendTicker(c);
}

void WindowSendingView::countTextChar()
{
    onCourseTab() ? m_course.countTextChar() : m_plainText.countTextChar();
}


void WindowSendingView::restoreButtons() { m_shell.RestoreButtons(); }
void WindowSendingView::setStartEnabled(bool enabled) { m_shell.setStartEnabled(enabled); }
QString WindowSendingView::ratioText() const { return m_settings.ratioText(); }

void WindowSendingView::clearTicker()
{
    onCourseTab() ? m_course.clearTicker() : m_plainText.clearTicker();
}

void WindowSendingView::plainTextRunEnded()
{
    onCourseTab() ? m_course.lessonSoundEnded() : m_plainText.plainTextRunEnded();
}

void WindowSendingView::plainTextStopped()
{
    onCourseTab() ? m_course.lessonStopped() : m_plainText.plainTextStopped();
}

// A lesson is never followed by another on its own.
bool WindowSendingView::randomFileTicked() const { return !onCourseTab() && m_plainText.randomFileTicked(); }

void WindowSendingView::startClicked() { m_shell.btnStartClick(); }
void WindowSendingView::showError(const QString &message) { m_plainText.showError(message); }
void WindowSendingView::showSoundWarning(const QString &message) { m_shell.showSoundWarning(message); }
