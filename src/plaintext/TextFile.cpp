#include "TextFile.h"

#include "Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString decodeStrictly(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    // Stateless: a sequence cut off at the end of the file becomes U+FFFD instead
    // of vanishing. ConvertInitialBom: a second mark right after the one already
    // removed is text (a zero-width no-break space) and must stay.
    QStringDecoder decoder(encoding,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool startsWith(const QByteArray &bytes, std::initializer_list<quint8> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (quint8 b : mark) {
        if (quint8(bytes[i++]) != b)
            return false;
    }
    return true;
}

QString decodeUnmarked(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp932(bytes);
}

} // namespace

QString TextFileResult::errorMessage() const
{
    return QStringLiteral("ファイル「%1」を開けません。%2").arg(path, reason);
}

QString normalizeLineBreaks(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            result += QStringLiteral("\r\n");
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            result += QStringLiteral("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

QString decodeTextFile(const QByteArray &bytes)
{
    QString text;
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        text = decodeStrictly(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    else if (startsWith(bytes, {0xFF, 0xFE}))
        text = decodeStrictly(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    else if (startsWith(bytes, {0xFE, 0xFF}))
        text = decodeStrictly(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    else
        text = decodeUnmarked(bytes);
    return normalizeLineBreaks(text);
}

TextFileResult loadTextFile(const QString &path)
{
    TextFileResult result;
    result.path = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = file.exists() ? TextFileResult::Failed : TextFileResult::NotFound;
        result.reason = file.errorString();
        return result;
    }

    const QString tooLarge = QStringLiteral("ファイルが大きすぎます（%1 MB まで）").arg(kMaxTextFileBytes / (1024 * 1024));
    if (file.size() > kMaxTextFileBytes) {
        result.reason = tooLarge;
        return result;
    }
    // Reading one byte more than allowed also catches files whose size is not
    // known in advance (a pipe, a file growing while it is read).
    const QByteArray bytes = file.read(kMaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.reason = file.errorString();
        return result;
    }
    if (bytes.size() > kMaxTextFileBytes) {
        result.reason = tooLarge;
        return result;
    }

    result.status = TextFileResult::Loaded;
    result.text = decodeTextFile(bytes);
    return result;
}
