#pragma once

// What every end-to-end scenario shares: the window with its real outside
// world, the options of the command line, and the "key: value" report.

#include "EventLoopWatch.h"

#include "ui/callsign/CallSignPage.h"
#include "ui/window/MainWindow.h"
#include "ui/plaintext/PlainTextPage.h"
#include "net/QtHttpClient.h"
#include "sending/pulse/PulseSoundOutput.h"

#include "fakes/RecordingUiDialogs.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace e2e {

constexpr int kCallSignTab = 0;
constexpr int kPlainTextTab = 1;
// The window must never go this long without running its event loop while
// sound or network fail underneath it.
constexpr qint64 kResponsiveMs = 500;

class Failed
{
public:
    explicit Failed(QString why) : reason(std::move(why)) {}
    QString reason;
};

// One line per key, whatever the value holds.
inline void report(const char *key, const QString &value)
{
    QString line = value;
    line.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(u'\n', QLatin1String("\\n"));
    std::printf("%s: %s\n", key, line.toUtf8().constData());
    std::fflush(stdout);
}

inline void report(const char *key, qint64 value)
{
    report(key, QString::number(value));
}

inline void require(bool condition, const QString &why)
{
    if (!condition)
        throw Failed(why);
}

inline bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

class Options
{
public:
    Options(const QStringList &args)
    {
        for (int i = 0; i + 1 < args.size(); i += 2) {
            if (args.at(i).startsWith(QLatin1String("--")))
                m_values.insert(args.at(i).mid(2), args.at(i + 1));
        }
    }
    QString text(const char *name, const QString &fallback = QString()) const
    {
        return m_values.value(QLatin1String(name), fallback);
    }
    int number(const char *name, int fallback) const
    {
        bool ok = false;
        const int value = text(name).toInt(&ok);
        return ok ? value : fallback;
    }

private:
    QHash<QString, QString> m_values;
};

// The window with its real outside world; the boxes and choosers answer at once.
class Session
{
public:
    explicit Session(const Options &options)
    {
        // --ca: a test authority this run trusts, as a user's system would
        // trust the real one; the program itself never turns checking off.
        if (!options.text("ca").isEmpty()) {
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            if (!tls.addCaCertificates(options.text("ca")))
                throw Failed(QStringLiteral("cannot read the test authority ") + options.text("ca"));
            QSslConfiguration::setDefaultConfiguration(tls);
        }
        output = new PulseSoundOutput;
        http = new QtHttpClient;
        http->setIdleLimit(std::chrono::milliseconds(options.number("idle-ms", 30000)));
        if (options.number("transfer-ms", 0) > 0)
            http->setTransferLimit(std::chrono::milliseconds(options.number("transfer-ms", 0)));
        if (options.number("max-body", 0) > 0)
            http->setMaxBodySize(options.number("max-body", 0));
        dialogs = new RecordingUiDialogs;
        QElapsedTimer clock;
        clock.start();
        window = std::make_unique<TfrmMain>(output, http, dialogs);
        report("create_ms", clock.elapsed());
        window->show();
        watch.start();
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            throw Failed(QStringLiteral("no control ") + QLatin1String(name));
        return found;
    }

    void selectTab(int index) { child<QTabWidget>("PageControlMode")->setCurrentIndex(index); }
    bool keyDown() { return window->sequencer().key_down(); }
    bool startEnabled() const { return child<QPushButton>("btnStart")->isEnabled(); }
    bool stopEnabled() const { return child<QPushButton>("btnStop")->isEnabled(); }
    // A list read is running: its button offers to cancel it.
    bool reading() const { return child<QPushButton>("btnCallRead")->text() == QStringLiteral("中止"); }
    bool idle() { return !keyDown() && startEnabled(); }
    QString ticker() const { return child<QLabel>("lblChar")->text(); }

    qint64 timed(const std::function<void()> &action)
    {
        QElapsedTimer clock;
        clock.start();
        action();
        return clock.elapsed();
    }

    void closeWindow()
    {
        report("close_ms", timed([this] { window.reset(); }));
    }

    // The window is gone: nothing of it may still fire, whatever was pending.
    void settleAfterClose(int ms) { QTest::qWait(ms); }

    void reportDialogs() const
    {
        report("warnings", dialogs->warnings.join(QStringLiteral(" | ")));
        report("errors", dialogs->errors.join(QStringLiteral(" | ")));
        report("notices", dialogs->notices.join(QStringLiteral(" | ")));
    }

    void requireResponsive()
    {
        report("longest_gap_ms", watch.longestGapMs());
        require(watch.longestGapMs() < kResponsiveMs,
                QStringLiteral("event loop blocked for %1 ms").arg(watch.longestGapMs()));
    }

    PulseSoundOutput *output;
    QtHttpClient *http;
    RecordingUiDialogs *dialogs;
    std::unique_ptr<TfrmMain> window;
    EventLoopWatch watch;
};

// A text long enough to be still sounding whenever a scenario needs it.
inline QString longText()
{
    return QStringLiteral("PARIS ").repeated(60);
}

inline void startPlain(Session &s, const QString &memo)
{
    s.selectTab(kPlainTextTab);
    s.window->plainTextPage().setMemoText(memo);
    s.window->btnStartClick();
}

inline void waitUntilSounding(Session &s)
{
    require(waitFor([&] { return s.ticker().size() >= 2; }, 8000),
            QStringLiteral("nothing sounded; ticker '%1'").arg(s.ticker()));
}


// Reads the list of the given year through the proxy the script set, and
// returns once the read has ended, either way.
inline void readYear(Session &s, int year)
{
    s.selectTab(kCallSignTab);
    auto *years = s.child<QComboBox>("cbbCallList");
    years->setCurrentIndex(years->findText(QStringLiteral("%1 CQ WW DX CW").arg(year)));
    require(years->currentIndex() >= 0, QStringLiteral("no entry for %1").arg(year));
    s.window->callSignPage().btnCallReadClick();
    require(waitFor([&] { return !s.reading(); }, 15000), QStringLiteral("the read of %1 did not end").arg(year));
}

using Scenario = std::function<int(const Options &)>;

// Scenarios kept in files of their own: the practices' own faults, the course.
void addPracticeScenarios(QHash<QString, Scenario> &scenarios);
void addConditionsScenarios(QHash<QString, Scenario> &scenarios);
void addFileScenarios(QHash<QString, Scenario> &scenarios);
void addCourseScenarios(QHash<QString, Scenario> &scenarios);
void addRestartScenarios(QHash<QString, Scenario> &scenarios);

} // namespace e2e
