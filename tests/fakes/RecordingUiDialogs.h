#pragma once

#include "ui/window/UiDialogs.h"

#include <QStringList>

// Answers the window's boxes and choosers at once, recording what was shown.
class RecordingUiDialogs : public UiDialogs
{
public:
    QStringList notices;
    QStringList errors;          // as the error box would show them
    QStringList warnings;        // "title: text"
    QString fileToOpen;          // the file-open dialog's answer
    QStringList openFolders;     // the initial folder of each file-open dialog
    QString callSignFileToOpen;  // the call-sign file dialog's answer
    QStringList callSignFolders;  // the initial folder of each call-sign file dialog
    QString folderToChoose;
    QString csvFileToSave;       // the file-save dialog's answer
    QStringList csvSuggestions;  // the path each file-save dialog offered
    QString clipboard;

    void notice(QWidget *, const QString &text) override { notices << text; }
    void error(QWidget *, const QString &text) override { errors << errorBoxText(text); }
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        warnings << title + QStringLiteral(": ") + text;
    }
    QString openTextFile(QWidget *, const QString &initialFolder) override
    {
        openFolders << initialFolder;
        return fileToOpen;
    }
    QString openCallSignFile(QWidget *, const QString &initialFolder) override
    {
        callSignFolders << initialFolder;
        return callSignFileToOpen;
    }
    QString chooseFolder(QWidget *) override { return folderToChoose; }
    QString saveCsvFile(QWidget *, const QString &suggestedPath) override
    {
        csvSuggestions << suggestedPath;
        return csvFileToSave;
    }
    QString clipboardText() override { return clipboard; }
};
