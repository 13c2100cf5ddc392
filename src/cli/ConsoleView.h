#pragma once

#include "sending/SendingView.h"

#include <QObject>
#include <QString>
#include <QStringList>

// What keylark-cw says when no sound output can be opened: the server it
// looked for, and the way round it.
QString noSoundServerText();

// keylark-cw's stand-in for the window while it plays: the ticker goes to
// standard output as each character starts to sound, messages to standard
// error, and the end of the text ends the program.
class ConsoleView : public QObject, public SendingView
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The text about to sound and what was written for each of its
    // characters (writtenCharacters()): the ticker echoes "[AR]" where the
    // user wrote it, not the key character it is sent as.
    void setWritten(const QString &sendText, const QStringList &written);

    int activeTab() const override { return PlainTextTab; }
    bool callStreamTicked() const override { return false; }
    bool tickerAfterSending() const override { return false; }
    QString callInputText() const override { return QString(); }
    void setCallInputText(const QString &) override {}
    void setTickerVisible(bool) override {}
    void appendTicker(QChar c) override;
    void countTextChar() override {}
    void restoreButtons() override {}
    void setStartEnabled(bool) override {}
    void showSending() override {}
    void clearTicker() override {}
    void plainTextRunEnded() override;
    void plainTextStopped() override {}
    bool randomFileTicked() const override { return false; }
    void startClicked() override {}
    void showError(const QString &message) override;
    void showSoundWarning(const QString &message) override;

private:
    QString m_sendText;
    QStringList m_written;
    qsizetype m_next = 0;  // the character of m_sendText the ticker shows next

signals:
    // The text has been heard to its end (code 0) or could not be played.
    void done(int exitCode);
};
