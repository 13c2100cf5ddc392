#include "RateText.h"

QString formatRate(int textChars, quint32 startTick, quint32 nowTick, const QLocale &locale)
{
    const quint32 elapsed = nowTick - startTick;
    const double rate = elapsed == 0 ? 0.0 : textChars / (elapsed / 1000.0) * 60.0;

    // Like printf's "%.1f" under the user's locale: ASCII digits, no grouping,
    // only the decimal separator localised.
    QString number = QString::number(rate, 'f', 1);
    const qsizetype point = number.lastIndexOf(u'.');
    if (point >= 0)
        number.replace(point, 1, locale.decimalPoint());
    return number + QStringLiteral("字/分");
}
