#include "ConsoleView.h"

#include "sending/MMErrorText.h"

#include <cstdio>

QString noSoundServerText()
{
    return QStringLiteral("no PulseAudio or PipeWire sound server answered; "
                          "write a WAV file with -o FILE instead");
}

void ConsoleView::setWritten(const QString &sendText, const QStringList &written)
{
    m_sendText = sendText;
    m_written = written;
    m_next = 0;
}

void ConsoleView::appendTicker(QChar c)
{
    // The ticker leaves out control characters; every other character comes
    // in text order.
    while (m_next < m_sendText.size() && m_sendText[m_next] < u' ')
        ++m_next;
    QString shown(c);
    if (m_next < m_sendText.size() && m_sendText[m_next] == c) {
        if (m_next < m_written.size())
            shown = m_written[m_next];
        ++m_next;
    }
    std::fputs(shown.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void ConsoleView::plainTextRunEnded()
{
    std::fputc('\n', stdout);
    emit done(0);
}

void ConsoleView::showError(const QString &)
{
    // The message is the renderer's, in Japanese; the command line speaks English.
    std::fputs("keylark-cw: a character of the text could not be rendered\n", stderr);
    emit done(2);
}

void ConsoleView::showSoundWarning(const QString &message)
{
    // The sequencer's warnings are the window's, in its words; the command
    // line says the same in its own.
    const QString line = message == OutputLostMessage()
        ? QStringLiteral("the sound server went away while the text was sounding")
        : noSoundServerText();
    std::fprintf(stderr, "keylark-cw: %s\n", qPrintable(line));
    emit done(3);
}
