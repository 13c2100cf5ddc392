#include "CallSignDrill.h"

#include "keying/RandomInt.h"
#include "sending/CharacterSequencer.h"

#include <algorithm>

namespace {

const QString kCallSeparator = QStringLiteral("     ");

QString emptyListNotice()
{
    return QStringLiteral("Call Sign を読み込んでください。");
}

} // namespace

CallSignDrill::CallSignDrill(DrillView &view, CharacterSequencer &sequencer)
    : m_view(view)
    , m_sequencer(sequencer)
{
}

QString CallSignDrill::scoreText(int ok, int total)
{
    // Integer arithmetic: a binary quotient first would show 52% for 53 of 100.
    const qint64 percent = total > 0 ? qint64(ok) * 100 / total : 0;
    return QStringLiteral("%1/%2 (%3%)").arg(ok).arg(total).arg(percent);
}

bool CallSignDrill::hasCallSign(const QStringList &callSigns)
{
    return std::any_of(callSigns.begin(), callSigns.end(), [](const QString &c) { return !c.isEmpty(); });
}

QString CallSignDrill::drawCallSign(const QStringList &callSigns)
{
    // An anchor with empty text gives an empty entry, which must never be sent.
    const auto nonEmpty = std::count_if(callSigns.begin(), callSigns.end(),
                                        [](const QString &c) { return !c.isEmpty(); });
    int k = RandomInt(int(nonEmpty));
    for (const QString &call : callSigns) {
        if (!call.isEmpty() && k-- == 0)
            return call;
    }
    return QString();
}

QString CallSignDrill::buildStream(const QStringList &callSigns)
{
    const int n = int(callSigns.size());
    if (n == 0)
        return QString();
    QString stream = callSigns.at(RandomInt(n));
    for (int i = 0; i < n; ++i)
        stream += kCallSeparator + callSigns.at(RandomInt(n));
    return stream;
}

void CallSignDrill::drawRandomKeying()
{
    m_view.setPitchPosition(500 + 50 * RandomInt(20));
    m_view.setSpeedPosition(15 + RandomInt(25));
}

void CallSignDrill::start(const QStringList &callSigns)
{
    m_waitingCall.clear();
    if (!hasCallSign(callSigns)) {
        m_view.showNotice(emptyListNotice());
        m_view.restoreButtons();
        return;
    }
    ReseedRandom();
    m_view.clearResults();
    call_total = 0;
    call_ok = 0;
    step_streak = 0;
    if (m_view.practiceMode() == DrillView::RandomMode)
        drawRandomKeying();
    if (m_view.callStreamTicked()) {
        StartCallStream(callSigns);
        return;
    }
    const QString error = sendCallSign(callSigns);
    if (!error.isEmpty()) {
        m_view.showError(error);
        endDrill();
        return;
    }
    ++call_total;
    m_view.focusCallInput();
}

QString CallSignDrill::sendCallSign(const QStringList &callSigns)
{
    const QString call = drawCallSign(callSigns);
    m_sequencer.send_pos = 1;
    m_sequencer.send_text = call;
    const QString error = m_sequencer.StartMorse();
    if (error.isEmpty())
        m_waitingCall = call;
    return error;
}

bool CallSignDrill::repeat()
{
    if (!callSignWaiting() || m_sequencer.key_down())
        return false;
    m_sequencer.send_pos = 1;
    m_sequencer.send_text = m_waitingCall;
    const QString error = m_sequencer.StartMorse();
    if (!error.isEmpty()) {
        // The call sign still waits: it can be answered from the first hearing.
        m_view.showError(error);
        return false;
    }
    return m_sequencer.key_down();
}

void CallSignDrill::stop()
{
    m_waitingCall.clear();
}

void CallSignDrill::StartCallStream(const QStringList &callSigns)
{
    m_waitingCall.clear();
    m_sequencer.send_text.clear();
    m_sequencer.send_pos = 1;
    m_sequencer.send_text = buildStream(callSigns);
    const QString error = m_sequencer.StartMorse();
    if (!error.isEmpty())
        m_view.showError(error);
}

bool CallSignDrill::answer(const QStringList &callSigns)
{
    // After Stop, before any Start and while a stream plays, Enter is only a key.
    if (!callSignWaiting())
        return true;
    const QString call = m_waitingCall;
    m_waitingCall.clear();
    const QString input = m_view.callInputText();
    const bool correct = input == call;
    m_view.appendResultRow({call, input, m_view.speedText(), m_view.speedPosition(), m_view.pitchHz(),
                            m_view.practiceMode(), correct});
    if (correct)
        ++call_ok;

    m_view.setScoreVisible(true);
    m_view.showScore(scoreText(call_ok, call_total));

    if (m_view.practiceMode() == DrillView::StepMode) {
        if (!correct) {
            step_streak = 0;
        } else if (++step_streak == kStepAnswers) {
            m_view.setSpeedPosition(m_view.speedPosition() + 1);
            step_streak = 0;
        }
    }
    if (m_view.practiceMode() == DrillView::RandomMode)
        drawRandomKeying();
    m_view.selectLastResultRow();

    if (!hasCallSign(callSigns)) {
        m_view.showNotice(emptyListNotice());
        endDrill();
        return false;
    }
    const QString error = sendCallSign(callSigns);
    if (!error.isEmpty()) {
        m_view.showError(error);
        endDrill();
        return false;
    }
    ++call_total;
    m_view.clearCallInput();
    return true;
}

// No call sign could be sent: the answers so far stay listed (only Start
// empties the list), and unless the last call sign is still being heard the
// buttons show that nothing more will come.
void CallSignDrill::endDrill()
{
    if (!m_sequencer.key_down())
        m_view.restoreButtons();
}
