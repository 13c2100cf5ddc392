// Fuzzes the load rule of a text file: any bytes, with or without a byte-order
// mark, in any encoding.
//
// Invariants: every CR is followed by LF and every LF follows a CR; the text is
// at most two code units per byte (a lone CR or LF grows to CR LF); decoding
// again what was normalised changes nothing; printable ASCII without a mark
// comes back as it was, line ends aside; valid UTF-8 reads the same with and
// without its mark.
#include "FuzzCheck.h"

#include "plaintext/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdint>

namespace {

bool lineBreaksArePairs(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

bool plainAscii(const QByteArray &bytes)
{
    for (const char b : bytes) {
        if ((b < 0x20 || b > 0x7E) && b != '\r' && b != '\n' && b != '\t')
            return false;
    }
    return true;
}

// Every line end, of whichever kind, as one LF.
QString unifiedLineEnds(QString text)
{
    return text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeTextFile(bytes);

    FUZZ_CHECK(text.size() <= 2 * bytes.size() + 2);
    FUZZ_CHECK(lineBreaksArePairs(text));
    FUZZ_CHECK(normalizeLineBreaks(text) == text);

    if (plainAscii(bytes))
        FUZZ_CHECK(unifiedLineEnds(text) == unifiedLineEnds(QString::fromLatin1(bytes)));

    const bool startsWithMark = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF");
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!startsWithMark && !utf8.hasError())
        FUZZ_CHECK(decodeTextFile("\xEF\xBB\xBF" + bytes) == text);
    return 0;
}
