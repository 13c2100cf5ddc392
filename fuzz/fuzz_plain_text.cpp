// Fuzzes the two text-to-text steps of the plain-text practice on any UTF-16
// text (the input bytes read as little-endian code units, lone surrogates and
// NULs included): the conversion of the memo text for sending, and the paste
// filter.
//
// Invariants of the conversion: never longer than its input, no bracket
// notation left in what it returns, and a text with neither a bracket nor a
// CR LF pair unchanged.
// Invariants of the filter: the text up to its first NUL with units dropped
// and none reordered or added; every unit with Morse (the spaces aside) and
// every CR and LF kept; every unit kept lies in a block of the Morse tables.
#include "FuzzCheck.h"

#include "morse/MorsePattern.h"
#include "plaintext/PasteFilter.h"
#include "plaintext/SendText.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace {

// The notations a practice text may hold, as the user types them.
const QStringList &notations()
{
    static const QStringList list = QStringLiteral(
        "[ホレ] [ﾎﾚ] [ラタ] [ﾗﾀ] [ホホ] [ﾎﾎ] [ウウ] [ｳｳ] [AS] [KN] [SK] [SN] [KA] [AR] [BT]")
                                        .split(u' ');
    return list;
}

bool hasMorse(char16_t c)
{
    return !LookupMorsePattern(c).empty();
}

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\u3000';
}

// For each 256-unit page of UTF-16, the first and last unit that has Morse: a
// unit kept by the filter but without Morse of its own (":" or a small kana
// without a table entry) must still lie between them.
struct Hull {
    char16_t first = 0xFFFF;
    char16_t last = 0;
};

const std::array<Hull, 256> &tableHulls()
{
    static const std::array<Hull, 256> hulls = [] {
        std::array<Hull, 256> result{};
        for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
            const auto c = char16_t(u);
            if (!hasMorse(c) || isSpace(c))
                continue;
            Hull &hull = result[c >> 8];
            hull.first = std::min(hull.first, c);
            hull.last = std::max(hull.last, c);
        }
        return result;
    }();
    return hulls;
}

bool inTableBlock(char16_t c)
{
    const Hull &hull = tableHulls()[c >> 8];
    return c >= hull.first && c <= hull.last;
}

void checkSendText(const QString &memo)
{
    const QString sent = prepareSendText(memo);
    FUZZ_CHECK(sent.size() <= memo.size());
    FUZZ_CHECK(!sent.contains(u'\r') && !sent.contains(u'\n'));
    for (const QString &notation : notations())
        FUZZ_CHECK(!sent.contains(notation, Qt::CaseInsensitive));
    if (!memo.contains(u'[') && !memo.contains(u'\r') && !memo.contains(u'\n'))
        FUZZ_CHECK(sent == memo);
}

void checkPasteFilter(const QString &clipboard)
{
    const QString pasted = filterPasteText(clipboard);
    const qsizetype nul = clipboard.indexOf(QChar(u'\0'));
    const QStringView text = nul < 0 ? QStringView(clipboard) : QStringView(clipboard).first(nul);
    FUZZ_CHECK(pasted.size() <= text.size());

    qsizetype kept = 0;
    for (const QChar unit : text) {
        const char16_t c = unit.unicode();
        if (kept < pasted.size() && pasted[kept] == unit) {
            ++kept;
            FUZZ_CHECK(c == u'\r' || c == u'\n' || (!isSpace(c) && (hasMorse(c) || inTableBlock(c))));
        } else {
            FUZZ_CHECK(c != u'\r' && c != u'\n' && (isSpace(c) || !hasMorse(c)));
        }
    }
    FUZZ_CHECK(kept == pasted.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));

    checkSendText(text);
    checkPasteFilter(text);
    return 0;
}
