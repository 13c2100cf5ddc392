// Fuzzes taking call signs from a file's text, in each of the three formats
// whatever the text really is.
//
// Invariants: every call sign taken is non-empty, passes the character rule
// and holds a letter or digit (a letter and a digit from a log); none comes
// twice; the count before the filter is the DX count; the JA list is the DX
// list without the foreign stations, in the same order; a check-partial list
// gives exactly what a plain line-by-line reading with a set of strings gives
// (which also checks the numbers the duplicate check packs call signs into).
#include "FuzzCheck.h"

#include "callsign/CallSignFile.h"
#include "plaintext/TextFile.h"

#include <QSet>

#include <cstdint>

namespace {

bool hasLetter(const QString &call)
{
    return std::any_of(call.cbegin(), call.cend(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
}

bool hasDigit(const QString &call)
{
    return std::any_of(call.cbegin(), call.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QStringList checkPartialByHand(const QString &text)
{
    QStringList calls;
    QSet<QString> seen;
    for (const QString &line : text.split(u'\n')) {
        const QString word = line.trimmed();
        if (word.isEmpty() || word.startsWith(u'#'))
            continue;
        QString call = word;
        for (QChar &c : call) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - u'a' + u'A');
        }
        if (IsCallSign(call) && (hasLetter(call) || hasDigit(call)) && !seen.contains(call)) {
            seen.insert(call);
            calls << call;
        }
    }
    return calls;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeTextFile(bytes);
    callSignFileFormatOf(text);

    for (const CallSignFileFormat format :
         {CallSignFileFormat::Cabrillo, CallSignFileFormat::CheckPartial, CallSignFileFormat::PlainText}) {
        qsizetype distinct = -1;
        qsizetype distinctJa = -1;
        const QStringList dx = callSignsOfText(text, format, CallSignFilter::DX, &distinct);
        const QStringList ja = callSignsOfText(text, format, CallSignFilter::JA, &distinctJa);
        FUZZ_CHECK(distinct == dx.size());
        FUZZ_CHECK(distinctJa == distinct);
        FUZZ_CHECK(QSet<QString>(dx.cbegin(), dx.cend()).size() == dx.size());
        QStringList japanese;
        for (const QString &call : dx) {
            FUZZ_CHECK(!call.isEmpty() && IsCallSign(call));
            if (format == CallSignFileFormat::Cabrillo)
                FUZZ_CHECK(hasLetter(call) && hasDigit(call));
            else
                FUZZ_CHECK(hasLetter(call) || hasDigit(call));
            if (hasJapanesePrefix(call))
                japanese << call;
        }
        FUZZ_CHECK(ja == japanese);
        if (format == CallSignFileFormat::CheckPartial)
            FUZZ_CHECK(dx == checkPartialByHand(text));
    }
    return 0;
}
