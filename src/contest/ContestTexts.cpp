#include "ContestTexts.h"

QString contestFileError(const QString &fileName, const QString &what)
{
    return QStringLiteral("ファイル「%1」%2").arg(fileName, what);
}

QString contestFileMissingText()
{
    return QStringLiteral("が見つかりません。");
}

QString contestFileTooLargeText(qint64 maxBytes)
{
    return QStringLiteral("は大きすぎます（%1 MB まで）。").arg(maxBytes / (1024 * 1024));
}

QString contestFileUnreadableText(const QString &why)
{
    return QStringLiteral("を読めません。") + why;
}

QString contestFileEmptyText()
{
    return QStringLiteral("は空です。");
}

QString contestFileBinaryText()
{
    return QStringLiteral("はテキストファイルではありません。");
}

QString ctyEmptyText()
{
    return QStringLiteral("に国の情報がありません（cty.dat の形式のファイルが必要です）。");
}

QString ctyDamagedText(int line)
{
    return QStringLiteral("は %1 行目が壊れています（cty.dat の形式のファイルが必要です）。").arg(line);
}

QString callHistoryHeaderText()
{
    return QStringLiteral("はコール履歴ファイルではありません（\"!!Order!!,Call,Exch1,...\" の見出し行が必要です）。");
}

QString callHistoryRowText(int line)
{
    return QStringLiteral("の %1 行目がコール履歴の形ではありません（\"CALL,EXCH1,...\" の行が必要です）。").arg(line);
}
