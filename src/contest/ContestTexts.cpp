#include "ContestTexts.h"

QString ContestFileError(const QString &fileName, const QString &what)
{
    return QStringLiteral("ファイル \"%1\" %2").arg(fileName, what);
}

QString ContestFileMissingText()
{
    return QStringLiteral("が見つかりません。");
}

QString ContestFileTooLargeText(qint64 maxBytes)
{
    return QStringLiteral("は大きすぎます（%1 MB まで）。").arg(maxBytes / (1024 * 1024));
}

QString ContestFileUnreadableText(const QString &why)
{
    return QStringLiteral("を読めません。") + why;
}

QString ContestFileEmptyText()
{
    return QStringLiteral("は空です。");
}

QString ContestFileBinaryText()
{
    return QStringLiteral("はテキストファイルではありません。");
}

QString CtyEmptyText()
{
    return QStringLiteral("に国の情報がありません（cty.dat の形式のファイルが必要です）。");
}

QString CtyDamagedText(int line)
{
    return QStringLiteral("は %1 行目が壊れています（cty.dat の形式のファイルが必要です）。").arg(line);
}

QString CallHistoryHeaderText()
{
    return QStringLiteral("はコール履歴ファイルではありません（\"!!Order!!,Call,Exch1,...\" の見出し行が必要です）。");
}

QString CallHistoryRowText(int line)
{
    return QStringLiteral("の %1 行目がコール履歴の形ではありません（\"CALL,EXCH1,...\" の行が必要です）。").arg(line);
}
