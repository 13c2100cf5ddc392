#include "ConsoleView.h"

#include <cstdio>

void ConsoleView::appendTicker(QChar c)
{
    std::fputs(QString(c).toUtf8().constData(), stdout);
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
    QString line = message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    std::fprintf(stderr, "keylark-cw: %s\n", qPrintable(line));
    emit done(3);
}
