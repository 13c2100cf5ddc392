#pragma once

#include <QString>

class QWidget;

// The modal boxes and choosers the window uses, behind a seam so that widget
// tests can answer them without a modal loop.
class UiDialogs
{
public:
    virtual ~UiDialogs() = default;

    // A notice with an OK button, titled with the application title.
    virtual void notice(QWidget *parent, const QString &text) = 0;
    // The error box: error icon, OK button, application title.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // A warning box with its own title, centred on the screen.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
    // The file-open dialog for text files; empty when cancelled.
    virtual QString openTextFile(QWidget *parent, const QString &initialFolder) = 0;
    // The file-open dialog for a file of call signs (a check-partial list, a
    // contest log or any text); empty when cancelled.
    virtual QString openCallSignFile(QWidget *parent, const QString &initialFolder) = 0;
    // The folder chooser; empty when cancelled.
    virtual QString chooseFolder(QWidget *parent) = 0;
    // The file-save dialog for a CSV file, offering suggestedPath; empty when cancelled.
    virtual QString saveCsvFile(QWidget *parent, const QString &suggestedPath) = 0;
    virtual QString clipboardText() = 0;
};

// The text of the error box: a full stop is appended when the message's last
// character sorts above ".".
QString errorBoxText(const QString &message);
