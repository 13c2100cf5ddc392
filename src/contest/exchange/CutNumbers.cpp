#include "contest/exchange/CutNumbers.h"

QString cutDigits(QStringView digits, const CutStyle &style)
{
    QString out;
    qsizetype from = 0;
    if (style.dropLeadingZeros) {
        while (from + 1 < digits.size() && digits[from] == u'0' && digits[from + 1].isDigit())
            ++from;
    }
    for (qsizetype i = from; i < digits.size(); ++i) {
        const QChar c = digits[i];
        if (c == u'0')
            out += style.zero;
        else if (c == u'9' && style.nine)
            out += u'N';
        else if (c == u'1' && style.one)
            out += u'A';
        else if (c == u'5' && style.five)
            out += u'E';
        else
            out += c;
    }
    return out;
}

QString cutRst(QStringView rst)
{
    if (rst == u"599")
        return QStringLiteral("5NN");
    return cutDigits(rst, CutStyle{u'0', true, false, false, false});
}

QString uncutDigits(QStringView text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.toUpper().unicode()) {
        case u'T':
        case u'O':
            out += u'0';
            break;
        case u'N':
            out += u'9';
            break;
        case u'A':
            out += u'1';
            break;
        case u'E':
            out += u'5';
            break;
        default:
            if (c.unicode() >= u'0' && c.unicode() <= u'9')
                out += c;
            else
                return {};
        }
    }
    return out;
}

int uncutNumber(QStringView text)
{
    const QString digits = uncutDigits(text);
    if (digits.isEmpty() || digits.size() > 9)
        return -1;
    return digits.toInt();
}
