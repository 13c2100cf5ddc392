#include "ContestScore.h"

#include "CtyDatabase.h"
#include "contest/exchange/WpxPrefix.h"
#include "keying/CharacterLength.h"

#include <QSet>

namespace {

int distancePoints(ContestKind kind, const std::optional<CtyMatch> &mine, const std::optional<CtyMatch> &his)
{
    if (!mine || !his)
        return kind == ContestKind::Wpx ? 1 : 0;
    if (mine->country == his->country)
        return kind == ContestKind::Wpx ? 1 : 0;
    if (mine->continent != his->continent)
        return 3;
    return mine->continent == QStringLiteral("NA") ? 2 : 1;
}

} // namespace

int morseUnitsOfCall(const QString &callSign)
{
    int units = 0;
    for (const QChar c : callSign.trimmed().toUpper())
        units += int(CharacterUnits(c.unicode(), 3, 0));
    return units;
}

ContestScore scoreLog(ContestKind kind, const QVector<LoggedContact> &log, const QVector<LogVerdict> &verdicts,
                      const CtyDatabase *cty, const QString &myCall)
{
    ContestScore score;
    QSet<QString> seenCalls, mults, countries;
    const auto mine = cty ? cty->lookup(myCall) : std::nullopt;
    for (qsizetype i = 0; i < log.size(); ++i) {
        const LoggedContact &c = log[i];
        const QString call = c.callSign.trimmed().toUpper();
        if (seenCalls.contains(call) || call.isEmpty())
            continue;
        seenCalls.insert(call);
        if (!verdicts.isEmpty() && (i >= verdicts.size() || verdicts[i] != LogVerdict::Ok))
            continue;
        const auto typed = readExchange(kind, c.exchangeTyped);
        ++score.contacts;
        switch (kind) {
        case ContestKind::CqWw: {
            const auto his = cty ? cty->lookup(call) : std::nullopt;
            score.points += distancePoints(kind, mine, his);
            if (typed)
                mults.insert(QString::number(uncutNumber(typed->value)));
            if (his)
                countries.insert(QString::number(his->country));
            break;
        }
        case ContestKind::Wpx:
            score.points += distancePoints(kind, mine, cty ? cty->lookup(call) : std::nullopt);
            mults.insert(wpxPrefix(call));
            break;
        case ContestKind::AllJa:
        case ContestKind::FromHistory:
            score.points += 1;
            if (typed) {
                QString value = typed->value;
                if (kind == ContestKind::AllJa)
                    value.chop(1);  // the power letter is no multiplier
                mults.insert(value);
            }
            break;
        case ContestKind::SpeedRun:
            score.points += morseUnitsOfCall(call);
            break;
        }
    }
    score.multipliers = int(mults.size() + countries.size());
    score.total = kind == ContestKind::SpeedRun ? score.points : qint64(score.points) * score.multipliers;
    return score;
}
