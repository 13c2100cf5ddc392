#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// A fixture server script run with python3 for the length of a suite: it tells
// its port on its first line ("PORT n"), then logs one line per request.
class FixtureProcess
{
public:
    ~FixtureProcess() { stop(); }

    // An empty text on success, otherwise why the server did not start.
    QString start(const QString &script, const QStringList &arguments)
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            return QStringLiteral("python3 is needed for the fixture server");
        m_process.setProgram(python);
        m_process.setArguments(QStringList{script} + arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return m_process.errorString();
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return QStringLiteral("the fixture server did not tell its port");
        }
        const QByteArray first = m_process.readLine().trimmed();
        m_port = first.startsWith("PORT ") ? first.mid(5).toInt() : 0;
        return m_port > 0 && m_port < 65536 ? QString() : QString::fromUtf8(first);
    }

    quint16 port() const { return quint16(m_port); }

    // The log lines since the last call.
    QStringList newLines()
    {
        m_process.waitForReadyRead(50);
        const QString text = QString::fromUtf8(m_process.readAllStandardOutput());
        return text.split(u'\n', Qt::SkipEmptyParts);
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    int m_port = 0;
};
