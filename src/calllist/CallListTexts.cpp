#include "CallListTexts.h"

QString callListReadingText()
{
    return QStringLiteral("読込中...");
}

QString callListProgressText(qint64 bytesReceived)
{
    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = kilo * kilo;
    if (bytesReceived < mega)
        return callListReadingText() + QStringLiteral(" %1 KB").arg(bytesReceived / kilo);
    return callListReadingText() + QStringLiteral(" %1 MB").arg(double(bytesReceived) / double(mega), 0, 'f', 1);
}

QString callListCountText(qsizetype count)
{
    return QStringLiteral("CQ World Wide DX Contest : ") + QString::number(count) + QStringLiteral("局");
}

QString callListMaintenanceText()
{
    return QStringLiteral("ウェブサイトがメンテ中かもしれません。\r\n\r\nしばらくしてからやり直して下さい。");
}

QString callListFailureText(const HttpFailure &failure)
{
    switch (failure.kind) {
    case HttpFailure::ErrorStatus:
        return QStringLiteral("HTTP エラー %1").arg(failure.value);
    case HttpFailure::Unreachable:
        return QStringLiteral("プロキシまたはサーバーに接続できません");
    case HttpFailure::NoAnswer:
        return QStringLiteral("%1 秒間応答がありません").arg(failure.value);
    case HttpFailure::TooSlow:
        return QStringLiteral("%1 秒たっても読み込みが終わりません").arg(failure.value);
    case HttpFailure::TooLarge:
        return QStringLiteral("データが大きすぎます");
    case HttpFailure::Insecure:
        return failure.detail;
    case HttpFailure::Interrupted:
        break;
    }
    return QStringLiteral("読み込みの途中で接続が切れました");
}

QString callListFailedText(const QString &reason)
{
    // A connection that could not be made at all is most often a cause on
    // this side (no network, a proxy that refuses), not the web site's.
    if (reason == callListFailureText(HttpFailure{HttpFailure::Unreachable, 0, QString()}))
        return reason + QStringLiteral("。\r\n\r\nネットワークへの接続とプロキシの設定を確かめてから、やり直して下さい。");
    return callListMaintenanceText() + QStringLiteral("\r\n\r\n（") + reason + QStringLiteral("）");
}
