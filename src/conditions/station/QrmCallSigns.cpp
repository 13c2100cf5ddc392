#include "QrmCallSigns.h"

#include "callsign/CallSignScan.h"

#include <QRegularExpression>

#include <algorithm>
#include <random>

namespace {

// The longest part between strokes (the station's own call sign in W1/JA1ABC
// or JA1ABC/P) has a digit after its first character and a letter after that
// digit: JA1ABC, 7K3XY, W1AW, but not 599, 5NN or 73.
bool hasCallSignShape(const QString &callSign)
{
    QStringView base;
    for (const QStringView part : QStringView(callSign).split(u'/'))
        if (part.size() > base.size())
            base = part;
    for (qsizetype i = 1; i < base.size(); ++i) {
        if (base[i].isDigit())
            return std::any_of(base.begin() + i + 1, base.end(), [](QChar c) { return c.isLetter(); });
    }
    return false;
}

} // namespace

QStringList callSignsInText(const QString &text)
{
    QStringList found;
    static const QRegularExpression space(QStringLiteral("\\s+"));
    for (const QString &word : text.split(space, Qt::SkipEmptyParts)) {
        const QString upper = word.toUpper();
        if (IsCallSign(upper) && hasCallSignShape(upper) && !found.contains(upper))
            found << upper;
    }
    return found;
}

QStringList MadeUpCallSigns(quint32 seed, int count)
{
    // A prefix, one digit for the call area, then a suffix of two or three letters.
    static const char *const prefixes[] = {"JA", "JH", "JR", "7K", "7M", "W", "K", "N", "DL", "G", "VK", "UA"};
    std::mt19937 random(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    QStringList made;
    while (made.size() < count) {
        QString call = QLatin1String(prefixes[pick(int(std::size(prefixes)))]);
        call += QChar(u'0' + pick(10));
        const int letters = 2 + pick(2);
        for (int i = 0; i < letters; ++i)
            call += QChar(u'A' + pick(26));
        if (!made.contains(call))
            made << call;
    }
    return made;
}
