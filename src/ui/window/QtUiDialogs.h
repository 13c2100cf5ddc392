#pragma once

#include "UiDialogs.h"

// The real boxes and choosers.
class QtUiDialogs : public UiDialogs
{
public:
    void notice(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    QString openTextFile(QWidget *parent, const QString &initialFolder) override;
    QString openCallSignFile(QWidget *parent, const QString &initialFolder) override;
    QString chooseFolder(QWidget *parent) override;
    QString saveCsvFile(QWidget *parent, const QString &suggestedPath) override;
    QString clipboardText() override;
};
