#include "CharacterSequencer.h"

#include "MMErrorText.h"

#include <algorithm>

namespace {

constexpr int kRestartPauseMs = 2000;

} // namespace

CharacterSequencer::CharacterSequencer(SoundOutput &output, SendingView &view,
                                       const KeyingValues &keying, QObject *parent)
    : QObject(parent)
    , m_output(output)
    , m_view(view)
    , m_renderer(keying)
    , hBuffer1(kBufferSamples)
{
    hWave_hdr1.lpData = hBuffer1.data();
    m_watchdog.setSingleShot(true);
    m_restartTimer.setSingleShot(true);
    m_restartTimer.setInterval(kRestartPauseMs);
    connect(&m_watchdog, &QTimer::timeout, this, &CharacterSequencer::deviceSilent);
    connect(&m_restartTimer, &QTimer::timeout, this, &CharacterSequencer::restartAfterPause);
    connect(&m_output, &SoundOutput::bufferTaken, this, &CharacterSequencer::onBufferTaken);
    connect(&m_output, &SoundOutput::started, this, &CharacterSequencer::onStarted);
    connect(&m_output, &SoundOutput::finished, this, &CharacterSequencer::onFinished);
    connect(&m_output, &SoundOutput::deviceLost, this, &CharacterSequencer::onDeviceLost);
}

QString CharacterSequencer::StartMorse()
{
    if (m_keyDown) {
        // Refused: the running chain takes up the text just set after the
        // character being heard, so what was rendered ahead is dropped. A word
        // gap comes first, or the two texts would run together as one word
        // (an early answer would sound "JF1VK2ABC").
        m_view.showSending();
        m_runTab = m_view.activeTab();
        dropUnheard();
        m_renderFailed = false;
        m_wordGapDue = !m_queued.empty() && !m_queued.back().wordGap;
        if (!hWave_hdr1.atDevice && send_pos >= 1 && send_pos <= send_text.size())
            return SendNextChar();
        return QString();
    }

    if (!m_output.isOpen()) {
        // The output may have failed at start-up or been lost since: try again.
        const int code = m_output.open(MakePcmFormat());
        if (code != MMSYSERR_NOERROR) {
            // Without sound the run ends at once; random-file mode does not
            // restart into the same warning every two seconds.
            m_view.showSoundWarning(OpenErrorMessage(std::uint16_t(code)));
            m_view.restoreButtons();
            if (CharacterView::sendsText(m_view.activeTab()))
                m_view.plainTextRunEnded();
            return QString();
        }
    }

    // A run begun by other means replaces the restart of random-file mode.
    m_restartTimer.stop();
    m_keyDown = true;
    // The next file of random-file mode is a plain-text run, whatever tab shows.
    m_runTab = m_restarting ? int(CharacterView::PlainTextTab) : m_view.activeTab();
    m_renderFailed = false;
    m_wordGapDue = false;
    hWave_hdr1 = WaveHeader{hBuffer1.data(), buffer_bytes, false, 0};
    const QString error = SendNextChar();
    endRunIfDrained();
    return error;
}

QString CharacterSequencer::SendNextChar()
{
    if (send_pos < 1 || send_pos > send_text.size())
        return QString();  // nothing left to render; the run ends once drained

    if (m_wordGapDue) {
        // A space renders to silence alone: the word space at the current
        // spacing. send_pos stays on the new text's first character.
        m_wordGapDue = false;
        const RenderResult gap = m_renderer.MakeCharWave(hBuffer1, u' ', m_ratioText);
        queueBuffer(u' ', gap.bytes, true);
        return QString();
    }

    const char16_t c = send_text.at(send_pos - 1).unicode();
    const RenderResult result = m_renderer.MakeCharWave(hBuffer1, c, m_ratioText);
    if (!result.ok()) {
        // send_pos stays on the character; the run ends once what is queued
        // has been heard.
        m_renderFailed = true;
        return result.error;
    }
    ++send_pos;
    queueBuffer(c, result.bytes, false);
    return QString();
}

void CharacterSequencer::queueBuffer(char16_t c, int bytes, bool wordGap)
{
    hWave_hdr1.dwBufferLength = bytes;
    const quint64 tag = ++m_lastTag;
    const int samples = bytes / 2;
    if (!m_output.write(tag, hWave_hdr1.lpData, samples)) {
        // Nothing will come back for it; give the run up rather than hang.
        onDeviceLost(MMSYSERR_NODRIVER);
        return;
    }
    hWave_hdr1.atDevice = true;
    hWave_hdr1.tag = tag;
    m_queued.push_back({tag, c, samples, false, wordGap});
    armWatchdog();
}

void CharacterSequencer::onBufferTaken(quint64 tag)
{
    if (!hWave_hdr1.atDevice || hWave_hdr1.tag != tag)
        return;  // a buffer dropped meanwhile
    hWave_hdr1.atDevice = false;
    if (m_renderFailed)
        return;
    const QString error = SendNextChar();
    if (!error.isEmpty())
        m_view.showError(error);
    endRunIfDrained();
}

void CharacterSequencer::onStarted(quint64 tag)
{
    Queued *queued = find(tag);
    if (!queued || queued->started)
        return;
    queued->started = true;
    armWatchdog();
    if (!queued->wordGap)
        ShowCharacterStarting(m_view, queued->c);
}

void CharacterSequencer::onFinished(quint64 tag)
{
    const auto heard = std::find_if(m_queued.begin(), m_queued.end(),
                                    [tag](const Queued &q) { return q.tag == tag; });
    if (heard == m_queued.end())
        return;
    if (!heard->started && !heard->wordGap)
        ShowCharacterStarting(m_view, heard->c);
    // After Stop the text is empty and the last character is not shown.
    if (!send_text.isEmpty() && !heard->wordGap)
        ShowCharacterHeard(m_view, heard->c);
    if (hWave_hdr1.atDevice && hWave_hdr1.tag == tag)
        hWave_hdr1.atDevice = false;  // heard before it was reported taken
    m_queued.erase(m_queued.begin(), heard + 1);
    armWatchdog();

    if (m_queued.empty() && !hWave_hdr1.atDevice && !m_renderFailed
        && send_pos >= 1 && send_pos <= send_text.size()) {
        const QString error = SendNextChar();
        if (!error.isEmpty())
            m_view.showError(error);
    }
    endRunIfDrained();
}

void CharacterSequencer::onDeviceLost(int)
{
    m_queued.clear();
    hWave_hdr1.atDevice = false;
    m_watchdog.stop();
    if (m_keyDown) {
        WaveOutProcEndOfText();
        // Without a word the user would only hear the sound stop.
        m_view.showSoundWarning(OutputLostMessage());
    }
}

void CharacterSequencer::StopMorse()
{
    // The pause belongs to the plain-text run even when another tab shows.
    const bool pausing = m_restartTimer.isActive();
    m_restartTimer.stop();
    m_view.restoreButtons();
    m_view.setCallInputText(QString());
    m_view.clearTicker();
    send_text.clear();
    const bool textRun = m_keyDown ? CharacterView::sendsText(m_runTab)
                                   : CharacterView::sendsText(m_view.activeTab());
    if (textRun || pausing)
        m_view.plainTextStopped();
    dropUnheard();
    endRunIfDrained();
}

void CharacterSequencer::cancelRestart()
{
    if (!m_restartTimer.isActive())
        return;
    m_restartTimer.stop();
    m_view.restoreButtons();
}

int CharacterSequencer::dropUnheard(bool *wordGapDropped)
{
    const QList<quint64> dropped = m_output.discardPending();
    for (const quint64 tag : dropped) {
        if (hWave_hdr1.atDevice && hWave_hdr1.tag == tag)
            hWave_hdr1.atDevice = false;
    }
    int characters = 0;
    bool gap = false;
    std::erase_if(m_queued, [&](const Queued &q) {
        if (!dropped.contains(q.tag))
            return false;
        if (q.wordGap)
            gap = true;
        else
            ++characters;
        return true;
    });
    if (wordGapDropped)
        *wordGapDropped = gap;
    return characters;
}

void CharacterSequencer::keyingChanged()
{
    if (!m_keyDown || m_renderFailed)
        return;
    bool gapDropped = false;
    const int characters = dropUnheard(&gapDropped);
    if (characters == 0 && !gapDropped)
        return;
    // The dropped characters were the last ones rendered: send_pos goes back
    // over them, and a dropped word gap comes again before them.
    send_pos -= characters;
    m_wordGapDue = m_wordGapDue || gapDropped;
    if (!hWave_hdr1.atDevice) {
        const QString error = SendNextChar();
        if (!error.isEmpty())
            m_view.showError(error);
    }
    endRunIfDrained();
}

void CharacterSequencer::endRunIfDrained()
{
    if (!m_keyDown || hWave_hdr1.atDevice || !m_queued.empty())
        return;
    const bool textUsedUp = send_pos < 1 || send_pos > send_text.size();
    if (textUsedUp || m_renderFailed)
        WaveOutProcEndOfText();
}

void CharacterSequencer::WaveOutProcEndOfText()
{
    m_keyDown = false;
    m_watchdog.stop();
    emit runEnded();
    // The run ends as the tab it was started on, whichever tab shows now.
    if (!CharacterView::sendsText(m_runTab))
        return;  // the drill goes on; the buttons keep their state
    m_view.restoreButtons();
    m_view.plainTextRunEnded();
    if (m_view.randomFileTicked()) {
        // Stop stays usable through the pause: it cancels the restart.
        m_view.showSending();
        m_restartTimer.start();
    }
}

void CharacterSequencer::restartAfterPause()
{
    m_restartTimer.stop();
    m_restarting = true;
    m_view.startClicked();
    m_restarting = false;
}

void CharacterSequencer::deviceSilent()
{
    // A stuck output is closed so that the next Start opens it afresh.
    m_output.close();
    onDeviceLost(MMSYSERR_ERROR);
}

void CharacterSequencer::armWatchdog()
{
    if (m_queued.empty() && !hWave_hdr1.atDevice) {
        m_watchdog.stop();
        return;
    }
    qint64 queuedSamples = 0;
    for (const Queued &q : m_queued)
        queuedSamples += q.samples;
    m_watchdog.start(int(queuedSamples * 1000 / kSampleRate) + m_watchdogSlackMs);
}

CharacterSequencer::Queued *CharacterSequencer::find(quint64 tag)
{
    const auto it = std::find_if(m_queued.begin(), m_queued.end(),
                                 [tag](const Queued &q) { return q.tag == tag; });
    return it == m_queued.end() ? nullptr : &*it;
}
