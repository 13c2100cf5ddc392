#include "TlsFailureText.h"

namespace {

QString certificateProblem(QSslError::SslError error)
{
    switch (error) {
    case QSslError::HostNameMismatch:
        return QStringLiteral("証明書の名前がサーバー名と一致しません");
    case QSslError::CertificateExpired:
        return QStringLiteral("証明書の有効期限が切れています");
    case QSslError::CertificateNotYetValid:
        return QStringLiteral("証明書の有効期間がまだ始まっていません");
    case QSslError::CertificateRevoked:
        return QStringLiteral("証明書が失効しています");
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return QStringLiteral("証明書の発行元が信頼されていません");
    default:
        return QStringLiteral("証明書が正しくありません");
    }
}

} // namespace

QString tlsFailureText(const QString &host, const QList<QSslError> &errors)
{
    if (errors.isEmpty())
        return QStringLiteral("サーバー %1 と安全な接続（HTTPS）を確立できませんでした").arg(host);
    QStringList problems;
    for (const QSslError &error : errors) {
        const QString problem = certificateProblem(error.error());
        if (!problems.contains(problem))
            problems << problem;
    }
    return QStringLiteral("サーバー %1 の証明書を確認できないため接続を中止しました：%2")
        .arg(host, problems.join(QStringLiteral("、")));
}
