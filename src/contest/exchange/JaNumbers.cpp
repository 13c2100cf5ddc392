#include "contest/exchange/JaNumbers.h"

namespace {

struct AreaRange {
    int area;
    int first;
    int last;
};

// The numbers of each call area, as the JARL lists them.
constexpr AreaRange kAreas[] = {
    {1, 10, 17}, {2, 18, 21}, {3, 22, 27}, {4, 31, 35}, {5, 36, 39},
    {6, 40, 46}, {7, 2, 7},   {8, 101, 114}, {9, 28, 30}, {0, 8, 9},
};
constexpr int kOkinawa = 47;
constexpr int kOgasawara = 48;

QString homeCall(const QString &callSign)
{
    return callSign.trimmed().toUpper().section(u'/', 0, 0);
}

QStringList numbers(int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return out;
}

} // namespace

bool isJapaneseCall(const QString &callSign)
{
    const QString call = homeCall(callSign);
    if (call.size() < 3)
        return false;
    const QChar a = call[0], b = call[1];
    if (a == u'J')
        return b >= u'A' && b <= u'S';
    if (a == u'7' || a == u'8')
        return b >= u'J' && b <= u'N';
    return false;
}

int jaCallArea(const QString &callSign)
{
    const QString call = callSign.trimmed().toUpper();
    const QString portable = call.section(u'/', 1, 1);
    if (portable.size() == 1 && portable[0].isDigit())
        return portable[0].digitValue();
    const QString home = homeCall(call);
    for (qsizetype i = 1; i < home.size(); ++i) {
        if (home[i].isDigit())
            return home[i].digitValue();
    }
    return -1;
}

QStringList jaNumbersForCall(const QString &callSign)
{
    if (!isJapaneseCall(callSign))
        return {};
    const QString home = homeCall(callSign);
    const int area = jaCallArea(callSign);
    if (area == 1 && home.startsWith(QStringLiteral("JD1")))
        return {QString::number(kOgasawara)};
    if (area == 6 && (home.startsWith(QStringLiteral("JR6")) || home.startsWith(QStringLiteral("JS6"))))
        return {QString::number(kOkinawa)};
    for (const AreaRange &r : kAreas) {
        if (r.area == area)
            return numbers(r.first, r.last);
    }
    return {};
}

bool isJaNumber(int number)
{
    if (number == kOkinawa || number == kOgasawara)
        return true;
    for (const AreaRange &r : kAreas) {
        if (number >= r.first && number <= r.last)
            return true;
    }
    return false;
}
