#include "ContestSession.h"

#include "keying/KeyingValues.h"

#include <algorithm>

namespace {

// How often a caller misses the operator's exchange and asks for it again.
constexpr double kMissedExchange = 0.1;
// Each repeat a caller keys a tenth slower.
constexpr double kSlowerPerRepeat = 1.1;
constexpr int kMinDelay = kSampleRate / 10;
constexpr int kMaxDelay = kSampleRate * 6 / 10;

} // namespace

ContestSession::ContestSession(const SessionSettings &settings, QStringList callSigns, const CtyDatabase *cty,
                               const CallHistory *history)
    : m_settings(settings), m_pool(std::move(callSigns)), m_cty(cty), m_history(history), m_random(settings.seed)
{
    m_pool.removeAll(QString());
    m_range.operatorPitch = settings.pitch;
    m_range.operatorWpm = settings.wpm;
    m_range.minWpm = settings.minWpm;
    m_range.maxWpm = settings.maxWpm;
    m_range.singleCall = settings.singleCall || settings.kind == ContestKind::SpeedRun;
    m_range.sameSpeed = settings.kind == ContestKind::SpeedRun;
    m_range.lids = settings.lids;
}

Caller *ContestSession::active()
{
    return m_active >= 0 && m_callers[m_active].state == Caller::InContact ? &m_callers[m_active] : nullptr;
}

std::int64_t ContestSession::delay()
{
    return std::uniform_int_distribution<int>(kMinDelay, kMaxDelay)(m_random);
}

Transmission ContestSession::send(OperatorMessage message, std::int64_t now)
{
    const QString myExchange = keyedExchange(m_settings.kind, m_settings.myExchange, CutStyle{u'T', true});
    QString text;
    switch (message) {
    case OperatorMessage::Cq:
        text = (m_settings.kind == ContestKind::AllJa ? QStringLiteral("CQ JA TEST ") : QStringLiteral("CQ TEST "))
            + m_settings.myCall;
        break;
    case OperatorMessage::Exchange:
        text = (m_callText + u' ' + myExchange).trimmed();
        break;
    case OperatorMessage::Tu:
        if (!m_callText.isEmpty()) {
            m_log << LoggedContact{now, m_callText, myExchange, m_exchangeText, active() ? m_active : -1};
            m_callText.clear();
            m_exchangeText.clear();
        }
        text = QStringLiteral("TU ") + m_settings.myCall;
        break;
    case OperatorMessage::MyCall:
        text = m_settings.myCall;
        break;
    case OperatorMessage::HisCall:
        text = m_callText;
        break;
    case OperatorMessage::B4:
        text = QStringLiteral("QSO B4");
        break;
    case OperatorMessage::Query:
        text = QStringLiteral("?");
        break;
    case OperatorMessage::Nil:
        text = QStringLiteral("NIL");
        break;
    }
    Transmission own;
    own.text = text;
    own.dotSamples = DotSamplesForSpeed(m_settings.wpm);
    own.freq = m_settings.pitch;
    own.start = now;
    own.length = keyedLength(text, own.dotSamples);
    m_pending = {message, m_callText, now + own.length, true};
    if (message == OperatorMessage::Tu)
        m_pending.callText.clear();
    // What is decided at TU is the contact's end, whatever follows.
    if (message == OperatorMessage::Tu || message == OperatorMessage::B4 || message == OperatorMessage::Nil) {
        if (Caller *c = active()) {
            c->state = message == OperatorMessage::Tu ? Caller::Done : Caller::Gone;
            m_active = -1;
        }
    }
    return own;
}

OperatorMessage ContestSession::enter(std::int64_t now)
{
    OperatorMessage message = OperatorMessage::Tu;
    if (m_callText.isEmpty())
        message = OperatorMessage::Cq;
    else if (m_callText.contains(u'?'))
        message = OperatorMessage::HisCall;
    else if (!exchangeComplete(m_settings.kind, m_exchangeText))
        message = OperatorMessage::Exchange;
    send(message, now);
    return message;
}

void ContestSession::stopSending(std::int64_t now)
{
    if (m_pending.open && now < m_pending.end)
        m_pending.open = false;
}

QVector<Transmission> ContestSession::advance(std::int64_t now)
{
    m_clock = std::max(m_clock, now);
    if (m_pending.open && now >= m_pending.end) {
        m_pending.open = false;
        react(m_pending);
    }
    QVector<Transmission> out;
    std::swap(out, m_out);
    std::sort(out.begin(), out.end(), [](const Transmission &a, const Transmission &b) { return a.start < b.start; });
    return out;
}

void ContestSession::reply(Caller &caller, const QString &text, std::int64_t at)
{
    Transmission t;
    t.station = caller.id;
    t.text = text;
    t.dotSamples = caller.dotSamples;
    t.freq = caller.freq;
    t.amplitude = caller.amplitude;
    t.flutter = caller.flutter;
    t.start = at + delay();
    t.length = keyedLength(text, t.dotSamples);
    m_out << t;
}

void ContestSession::addArrivals()
{
    int count = 0;
    if (m_range.singleCall) {
        const bool someone = std::any_of(m_callers.cbegin(), m_callers.cend(), [](const Caller &c) {
            return c.state == Caller::Waiting || c.state == Caller::InContact;
        });
        count = someone ? 0 : 1;
    } else {
        count = std::poisson_distribution<int>(std::max(0.01, m_settings.activity))(m_random);
    }
    // A serial grows with the time a station has been in the contest.
    const int minutes = int(m_clock / (60 * kSampleRate));
    for (int added = 0, tries = 0; added < count && tries < 50 && !m_pool.isEmpty(); ++tries) {
        const QString call = m_pool[std::uniform_int_distribution<int>(0, int(m_pool.size()) - 1)(m_random)];
        const bool taken = std::any_of(m_callers.cbegin(), m_callers.cend(),
                                       [&](const Caller &c) { return c.callSign == call.toUpper(); });
        if (taken)
            continue;
        const int serial = std::uniform_int_distribution<int>(1, 400)(m_random) + minutes;
        auto caller = drawCaller(int(m_callers.size()), call, m_settings.kind, m_range, m_cty, m_history, serial,
                                 m_random);
        if (!caller)
            continue;
        ++caller->patience;  // its first call is no repeat
        m_callers << *caller;
        ++added;
    }
}

void ContestSession::callersCall(std::int64_t at, bool arrivals, bool usePatience)
{
    if (arrivals)
        addArrivals();
    for (Caller &c : m_callers) {
        if (c.state != Caller::Waiting)
            continue;
        if (usePatience && c.patience-- <= 0) {
            c.state = Caller::Gone;
            continue;
        }
        reply(c, callerCallText(c), at);
    }
}

void ContestSession::callOver(std::int64_t at, int except)
{
    for (Caller &c : m_callers) {
        if (c.lid && c.id != except && c.state == Caller::Waiting
            && std::uniform_int_distribution<int>(0, 1)(m_random) == 1)
            reply(c, c.callSign, at);
    }
}

void ContestSession::answerCall(const QString &sentCall, bool withExchange, std::int64_t at)
{
    const bool partial = sentCall.contains(u'?');
    QString fragment = sentCall;
    fragment.remove(u'?');
    if (partial) {
        // Those whose call holds what was copied call again; the rest wait.
        bool any = false;
        for (Caller &c : m_callers) {
            if ((c.state == Caller::Waiting || c.state == Caller::InContact) && !fragment.isEmpty()
                && c.callSign.contains(fragment)) {
                ++c.repeats;
                reply(c, callerCallText(c), at);
                any = true;
            }
        }
        if (!any)
            callersCall(at, false, false);
        return;
    }

    // The station addressed: the one with that call, else the one whose call
    // is nearest it (two edits at most), the station in contact first.
    Caller *best = nullptr;
    int bestDistance = 3;
    for (Caller &c : m_callers) {
        if (c.state != Caller::Waiting && c.state != Caller::InContact)
            continue;
        const int d = callDistance(c.callSign, sentCall) - (c.state == Caller::InContact ? 1 : 0);
        if (d < bestDistance || (c.callSign == sentCall)) {
            best = &c;
            bestDistance = c.callSign == sentCall ? -2 : d;
        }
    }
    if (!best) {
        callersCall(at, false, true);
        return;
    }
    if (Caller *previous = active(); previous && previous != best)
        previous->state = Caller::Waiting;
    best->state = Caller::InContact;
    m_active = best->id;
    if (withExchange)
        best->heardExchange = std::uniform_real_distribution<double>(0.0, 1.0)(m_random) >= kMissedExchange;

    if (best->callSign != sentCall) {
        // A wrong call gets the right one, twice and slower; never the exchange.
        ++best->repeats;
        best->dotSamples = std::min(kMaxDotSamples, int(best->dotSamples * kSlowerPerRepeat));
        reply(*best, best->callSign + u' ' + best->callSign, at);
    } else if (withExchange && !best->heardExchange) {
        reply(*best, std::uniform_int_distribution<int>(0, 1)(m_random) ? QStringLiteral("NR?")
                                                                         : QStringLiteral("AGN"), at);
    } else if (best->heardExchange) {
        best->sentExchange = true;
        reply(*best, callerExchangeText(*best, m_settings.kind, m_random), at);
    } else {
        reply(*best, best->callSign, at);
    }
    callOver(at, best->id);
}

void ContestSession::react(const Pending &sent)
{
    switch (sent.message) {
    case OperatorMessage::Cq:
    case OperatorMessage::MyCall:
        if (Caller *c = active()) {
            c->state = Caller::Gone;  // left without a word: the contact is abandoned
            m_active = -1;
        }
        callersCall(sent.end, true, true);
        break;
    case OperatorMessage::Tu:
        callersCall(sent.end, true, true);
        break;
    case OperatorMessage::Exchange:
    case OperatorMessage::HisCall:
        if (sent.callText.isEmpty())
            callersCall(sent.end, false, true);
        else
            answerCall(sent.callText, sent.message == OperatorMessage::Exchange, sent.end);
        break;
    case OperatorMessage::Query:
        if (Caller *c = active()) {
            ++c->repeats;
            reply(*c, c->sentExchange ? keyedExchange(m_settings.kind, c->exchange, c->cut) : c->callSign, sent.end);
        } else {
            callersCall(sent.end, false, false);
        }
        break;
    case OperatorMessage::B4:
    case OperatorMessage::Nil:
        break;
    }
}

QVector<CallerTruth> ContestSession::truth() const
{
    QVector<CallerTruth> out;
    for (const Caller &c : m_callers)
        out << CallerTruth{c.callSign, c.exchange, c.state == Caller::Done && c.heardExchange};
    return out;
}

QVector<LogVerdict> ContestSession::checkedLog() const
{
    return checkLog(m_settings.kind, m_log, truth());
}

ContestScore ContestSession::score(bool checked) const
{
    return scoreLog(m_settings.kind, m_log, checked ? checkedLog() : QVector<LogVerdict>{}, m_cty,
                    m_settings.myCall);
}

bool ContestSession::finished(std::int64_t now) const
{
    return now >= std::int64_t(m_settings.minutes) * 60 * kSampleRate;
}
