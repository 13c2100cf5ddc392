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

void ConsoleView::showError(const QString &message)
{
    std::fprintf(stderr, "keylark-cw: %s\n", qPrintable(message));
    emit done(2);
}

void ConsoleView::showSoundWarning(const QString &message)
{
    QString line = message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    std::fprintf(stderr, "keylark-cw: %s\n", qPrintable(line));
    emit done(3);
}
