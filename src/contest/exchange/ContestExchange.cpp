#include "contest/exchange/ContestExchange.h"

#include "contest/CallHistory.h"
#include "contest/CtyDatabase.h"
#include "contest/exchange/JaNumbers.h"

#include <QStringList>

namespace {

// A number with an optional power letter, e.g. "10M", "1TM", "106H".
bool splitPower(const QString &value, QString &number, QChar &power)
{
    power = QChar();
    number = value.toUpper();
    if (!number.isEmpty() && isJaPowerLetter(number.back())) {
        power = number.back();
        number.chop(1);
    }
    return uncutNumber(number) >= 0;
}

bool isPlainNumber(const QString &value)
{
    QString number;
    QChar power;
    return !value.isEmpty() && splitPower(value, number, power) && uncutDigits(number) == number;
}

QString keyedNumber(const QString &value, int width, const CutStyle &style)
{
    QString number;
    QChar power;
    if (!splitPower(value, number, power) || uncutDigits(number) != number)
        return value;
    const QString padded = number.rightJustified(width, u'0');
    QString keyed = cutDigits(padded, style);
    if (!power.isNull())
        keyed += power;
    return keyed;
}

bool validValue(ContestKind kind, const QString &value)
{
    QString number;
    QChar power;
    switch (kind) {
    case ContestKind::CqWw: {
        const int zone = uncutNumber(value);
        return zone >= 1 && zone <= 40;
    }
    case ContestKind::Wpx:
        return uncutNumber(value) >= 1;
    case ContestKind::AllJa:
        return splitPower(value, number, power) && !power.isNull() && isJaNumber(uncutNumber(number));
    case ContestKind::SpeedRun:
        return true;
    case ContestKind::FromHistory:
        return !value.isEmpty();
    }
    return false;
}

QString drawPower(std::mt19937 &random)
{
    // Most stations run 100 W; a quarter more, a few low power.
    const int roll = std::uniform_int_distribution<int>(0, 99)(random);
    return roll < 5 ? QStringLiteral("P") : roll < 20 ? QStringLiteral("L") : roll < 75 ? QStringLiteral("M")
                                                                                        : QStringLiteral("H");
}

} // namespace

QString keyedExchange(ContestKind kind, const Exchange &exchange, const CutStyle &style)
{
    if (kind == ContestKind::SpeedRun)
        return {};
    const QString rst = cutRst(exchange.rst);
    switch (kind) {
    case ContestKind::CqWw:
        return rst + u' ' + keyedNumber(exchange.value, 2, style);
    case ContestKind::Wpx:
        return rst + u' ' + keyedNumber(exchange.value, 3, style);
    case ContestKind::AllJa: {
        // The two-digit numbers keep their width ("02M"); the branches have three.
        return rst + u' ' + keyedNumber(exchange.value, 2, style);
    }
    default:
        return rst + u' ' + (isPlainNumber(exchange.value) ? keyedNumber(exchange.value, 1, style) : exchange.value);
    }
}

std::optional<Exchange> readExchange(ContestKind kind, const QString &typed)
{
    if (kind == ContestKind::SpeedRun)
        return Exchange{};
    const QStringList words = typed.trimmed().toUpper().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    Exchange exchange;
    if (words.size() == 2) {
        const QString rst = uncutDigits(words[0]);
        if (rst.size() != 3)
            return std::nullopt;
        exchange.rst = rst;
    }
    if (!validValue(kind, words.back()))
        return std::nullopt;
    QString number;
    QChar power;
    if (kind == ContestKind::FromHistory || !splitPower(words.back(), number, power))
        exchange.value = words.back();
    else
        exchange.value = QString::number(uncutNumber(number)) + (power.isNull() ? QString() : QString(power));
    return exchange;
}

bool exchangeComplete(ContestKind kind, const QString &typed)
{
    return readExchange(kind, typed).has_value();
}

bool sameExchangeValue(ContestKind kind, const QString &sent, const QString &typed)
{
    if (kind == ContestKind::SpeedRun)
        return true;
    const QString a = sent.trimmed().toUpper(), b = typed.trimmed().toUpper();
    if (kind == ContestKind::FromHistory && !isPlainNumber(a))
        return a == b;
    QString na, nb;
    QChar pa, pb;
    if (!splitPower(a, na, pa) || !splitPower(b, nb, pb))
        return false;
    return pa == pb && uncutNumber(na) == uncutNumber(nb);
}

std::optional<Exchange> exchangeForCaller(ContestKind kind, const QString &callSign, const CtyDatabase *cty,
                                          const CallHistory *history, int serialNumber, std::mt19937 &random)
{
    Exchange exchange;
    const QString known = history ? history->exchange(callSign) : QString();
    if (kind != ContestKind::Wpx && kind != ContestKind::SpeedRun && validValue(kind, known)) {
        exchange.value = known.toUpper();
        return exchange;
    }
    switch (kind) {
    case ContestKind::CqWw: {
        const auto match = cty ? cty->lookup(callSign) : std::nullopt;
        if (!match)
            return std::nullopt;
        exchange.value = QString::number(match->cqZone);
        return exchange;
    }
    case ContestKind::AllJa: {
        const QStringList numbers = jaNumbersForCall(callSign);
        if (numbers.isEmpty())
            return std::nullopt;
        const int pick = std::uniform_int_distribution<int>(0, int(numbers.size()) - 1)(random);
        exchange.value = numbers[pick] + drawPower(random);
        return exchange;
    }
    case ContestKind::Wpx:
        exchange.value = QString::number(std::max(1, serialNumber));
        return exchange;
    case ContestKind::SpeedRun:
        exchange.rst.clear();
        return exchange;
    case ContestKind::FromHistory:
        return std::nullopt;
    }
    return std::nullopt;
}
