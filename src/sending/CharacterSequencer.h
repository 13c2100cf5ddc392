#pragma once

#include "SendingView.h"
#include "SoundOutput.h"
#include "WaveFormat.h"
#include "keying/CharacterRenderer.h"
#include "keying/KeyingValues.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <vector>

// Sends a text one character per buffer: renders the character at send_pos,
// queues it at the sound output, and renders the next one when the output has
// taken it. What the window shows follows what is heard: a character appears
// when its sound starts and the after-sending step runs when it has been heard.
//
// Callers put the text into send_text, set send_pos to 1 and call StartMorse().
class CharacterSequencer : public QObject
{
    Q_OBJECT

public:
    CharacterSequencer(SoundOutput &output, SendingView &view, const KeyingValues &keying,
                       QObject *parent = nullptr);

    QString send_text;   // the text being sent, one UTF-16 code unit per character
    int send_pos = 0;    // 1-based index of the next character to render

    bool key_down() const { return m_keyDown; }

    // Starts sending send_text from send_pos. While a text is sounding the
    // start is refused: the text now in send_text takes over after the
    // character being heard and a word gap, and the buttons keep showing that
    // sound goes on. Returns the render failure of the first character, if
    // any, for the caller to show or swallow.
    QString StartMorse();

    // Stops sending: the character being heard plays to its end, nothing
    // after it sounds. Returns at once; key_down clears when that character
    // has been heard. In the pause of random-file mode it cancels the restart.
    void StopMorse();

    // Random-file mode was left during its pause: no restart follows.
    void cancelRestart();

    // The speed, pitch, spacing, volume or ratio has changed. The output holds
    // rendered sound well ahead; what of it can still be taken back is dropped
    // and rendered again, so the change is heard from the next character that
    // starts after the output's short read-ahead.
    void keyingChanged();

    // The dash-to-dot ratio every dash is rendered with. The window passes on
    // only a ratio that renders every character, so a typo in the box never
    // stops a text; the renderer still refuses one that does not fit.
    void setRatioText(const QString &ratio)
    {
        m_ratioText = ratio;
        keyingChanged();
    }
    const QString &ratioText() const { return m_ratioText; }

    // The sample buffer and its header: one character at a time.
    struct WaveHeader {
        audio_sample *lpData = nullptr;
        int dwBufferLength = 0;   // bytes of the current character
        bool atDevice = false;    // written and not yet taken by the output
        quint64 tag = 0;
    };
    const WaveHeader &header() const { return hWave_hdr1; }
    static constexpr int buffer_bytes = kBufferSamples * 2;

    // How long past the queued sound the output may stay silent before the run
    // is given up as lost.
    void setWatchdogSlack(int milliseconds) { m_watchdogSlackMs = milliseconds; }
    bool watchdogArmed() const { return m_watchdog.isActive(); }
    bool restartPending() const { return m_restartTimer.isActive(); }

signals:
    // A run has ended: its last character has been heard, or Stop took effect.
    void runEnded();

public slots:
    // The output has not answered in time: the run ends.
    void deviceSilent();
    // The pause of random-file mode is over.
    void restartAfterPause();

private:
    struct Queued {
        quint64 tag;
        char16_t c;
        int samples;
        bool started;
        bool wordGap;  // silence between two texts: never shown or counted
    };

    QString SendNextChar();
    void queueBuffer(char16_t c, int bytes, bool wordGap);
    void onBufferTaken(quint64 tag);
    void onStarted(quint64 tag);
    void onFinished(quint64 tag);
    void onDeviceLost(int code);
    void WaveOutProcEndOfText();
    // Drops what the output can still take back; returns how many characters
    // of send_text were among it, and whether a word gap was.
    int dropUnheard(bool *wordGapDropped = nullptr);
    void endRunIfDrained();
    void armWatchdog();
    Queued *find(quint64 tag);

    SoundOutput &m_output;
    SendingView &m_view;
    CharacterRenderer m_renderer;
    std::vector<audio_sample> hBuffer1;
    WaveHeader hWave_hdr1;
    std::deque<Queued> m_queued;  // written and not yet heard, in order
    quint64 m_lastTag = 0;
    bool m_keyDown = false;
    bool m_renderFailed = false;
    bool m_wordGapDue = false;  // the next buffer is the gap before a new text
    QString m_ratioText = QStringLiteral("3");
    int m_runTab = CharacterView::CallSignTab;  // the tab the running text was started on
    bool m_restarting = false;                  // inside the restart after the pause
    QTimer m_watchdog;
    QTimer m_restartTimer;
    int m_watchdogSlackMs = 5000;
};
