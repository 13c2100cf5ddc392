#include "WindowSendingView.h"

#include "ui/callsign/CallSignPage.h"
#include "ui/course/CoursePage.h"
#include "MainWindow.h"
#include "ui/plaintext/PlainTextPage.h"

WindowSendingView::WindowSendingView(TfrmMain &shell, CallSignPage &callSigns, PlainTextPage &plainText,
                                     CoursePage &course)
    : m_shell(shell)
    , m_callSigns(callSigns)
    , m_plainText(plainText)
    , m_course(course)
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
void WindowSendingView::showSending() { m_shell.showSending(); }

void WindowSendingView::clearTicker()
{
    onCourseTab() ? m_course.clearTicker() : m_plainText.clearTicker();
}

// A run ends as what it was, whichever tab shows by then.
void WindowSendingView::plainTextRunEnded()
{
    m_course.lessonSounding() ? m_course.lessonSoundEnded() : m_plainText.plainTextRunEnded();
}

void WindowSendingView::plainTextStopped()
{
    m_course.lessonSounding() ? m_course.lessonStopped() : m_plainText.plainTextStopped();
}

// A lesson is never followed by another on its own.
bool WindowSendingView::randomFileTicked() const
{
    return !m_course.lessonSounding() && m_plainText.randomFileTicked();
}

void WindowSendingView::startClicked() { m_shell.startPlainTextRun(); }
void WindowSendingView::showError(const QString &message) { m_plainText.showError(message); }
void WindowSendingView::showSoundWarning(const QString &message) { m_shell.showSoundWarning(message); }
