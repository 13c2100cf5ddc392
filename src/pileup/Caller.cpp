#include "Caller.h"

#include "keying/CharacterLength.h"
#include "keying/KeyingValues.h"

#include <QVector>

#include <algorithm>

std::int64_t keyedLength(const QString &text, int dotSamples)
{
    std::int64_t units = 0;
    for (const QChar c : text)
        units += CharacterUnits(c.unicode(), 3, 0);
    return units * dotSamples;
}

namespace {

double uniform(std::mt19937 &random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

bool chance(std::mt19937 &random, double p)
{
    return uniform(random, 0.0, 1.0) < p;
}

} // namespace

std::optional<Caller> drawCaller(int id, const QString &callSign, ContestKind kind, const CallerRange &range,
                                 const CtyDatabase *cty, const CallHistory *history, int serialNumber,
                                 std::mt19937 &random)
{
    const auto exchange = exchangeForCaller(kind, callSign, cty, history, serialNumber, random);
    if (!exchange)
        return std::nullopt;
    Caller c;
    c.id = id;
    c.callSign = callSign.toUpper();
    c.exchange = *exchange;
    const int wpm = range.sameSpeed ? range.operatorWpm
                                    : std::uniform_int_distribution<int>(std::min(range.minWpm, range.maxWpm),
                                                                         std::max(range.minWpm, range.maxWpm))(random);
    c.dotSamples = DotSamplesForSpeed(std::max(5, wpm));
    const int spread = range.singleCall ? 50 : 300;
    c.freq = std::max(200, range.operatorPitch + std::uniform_int_distribution<int>(-spread, spread)(random));
    c.amplitude = range.sameSpeed ? 0.8 : uniform(random, 0.15, 1.0);
    c.flutter = !range.sameSpeed && chance(random, 0.15);
    c.callsTwice = chance(random, 0.3);
    c.lid = range.lids && chance(random, 0.3);
    c.patience = std::uniform_int_distribution<int>(2, 5)(random);

    // Half cut their zeros to T (a few to O), most send 9 as N, some drop
    // leading zeros; 1 as A and 5 as E are rare.
    const double zero = uniform(random, 0.0, 1.0);
    c.cut.zero = zero < 0.45 ? u'T' : zero < 0.55 ? u'O' : u'0';
    c.cut.nine = chance(random, 0.7);
    c.cut.dropLeadingZeros = chance(random, 0.3);
    c.cut.one = chance(random, 0.05);
    c.cut.five = chance(random, 0.05);
    if (c.lid && chance(random, 0.5) && kind != ContestKind::SpeedRun)
        c.exchange.rst = QStringLiteral("579");
    return c;
}

QString callerCallText(const Caller &caller)
{
    return caller.callsTwice ? caller.callSign + u' ' + caller.callSign : caller.callSign;
}

QString callerExchangeText(const Caller &caller, ContestKind kind, std::mt19937 &random)
{
    QString keyed = keyedExchange(kind, caller.exchange, caller.cut);
    if (kind == ContestKind::SpeedRun)
        return QStringLiteral("R");
    if (caller.lid && !caller.exchange.value.isEmpty() && chance(random, 0.5)) {
        const QString value = keyed.section(u' ', 1);
        QString wrong = value;
        for (QChar &ch : wrong) {
            if (ch.isDigit()) {
                ch = QChar(u'0' + (ch.digitValue() + 1) % 10);
                break;
            }
        }
        if (wrong != value)
            keyed = keyed.section(u' ', 0, 0) + u' ' + wrong + QStringLiteral(" EEEEE ") + value;
    }
    const int start = std::uniform_int_distribution<int>(0, 2)(random);
    return start == 0 ? keyed : start == 1 ? QStringLiteral("TU ") + keyed : QStringLiteral("R ") + keyed;
}

int callDistance(const QString &a, const QString &b)
{
    QVector<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}
