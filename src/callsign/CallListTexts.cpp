#include "CallListTexts.h"

QString CallListReadingText()
{
    return QStringLiteral("読込中...");
}

QString CallListProgressText(qint64 bytesReceived)
{
    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = kilo * kilo;
    if (bytesReceived < mega)
        return CallListReadingText() + QStringLiteral(" %1 KB").arg(bytesReceived / kilo);
    return CallListReadingText() + QStringLiteral(" %1 MB").arg(double(bytesReceived) / double(mega), 0, 'f', 1);
}

QString CallListCountText(qsizetype count)
{
    return QStringLiteral("CQ World Wide DX Contest : ") + QString::number(count) + QStringLiteral("局");
}

QString CallListMaintenanceText()
{
    return QStringLiteral("ウェブサイトがメンテ中かもしれません。\r\n\r\nしばらくしてからやり直して下さい。");
}
