#include "PasteFilter.h"

#include <algorithm>
#include <array>

namespace {

struct Range {
    char16_t first;
    char16_t last;
};

// The ranges of the Morse tables, whether or not every code unit in them has a
// pattern; the spaces just below "!" and U+3000 are outside them on purpose.
constexpr std::array<Range, 5> kRanges = {{
    {0x0021, 0x007A}, // ! to z
    {0x3041, 0x3093}, // ぁ to ん
    {0x30A1, 0x30F6}, // ァ to ヶ
    {0xFF10, 0xFF5A}, // ０ to ｚ
    {0xFF61, 0xFF9F}, // ｡ to ﾟ
}};

// The single code units of the Morse tables, less the ideographic space.
constexpr std::array<char16_t, 13> kSingles = {
    0x3001, // 、
    0x3002, // 。
    0xFF0C, // ，
    0xFF0E, // ．
    0xFF01, // ！
    0xFF0F, // ／
    0x309B, // ゛
    0x309C, // ゜
    0x300D, // 」
    0xFF08, // （
    0xFF09, // ）
    0x30FC, // ー
    0xFF0D, // －
};

bool isRetained(char16_t c)
{
    if (c == u'\r' || c == u'\n')
        return true;
    for (const Range &range : kRanges) {
        if (c >= range.first && c <= range.last)
            return true;
    }
    return std::find(kSingles.begin(), kSingles.end(), c) != kSingles.end();
}

} // namespace

QString filterPasteText(const QString &clipboard)
{
    const qsizetype nul = clipboard.indexOf(QChar(u'\0'));
    const QStringView text = nul < 0 ? QStringView(clipboard) : QStringView(clipboard).first(nul);

    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (isRetained(c.unicode()))
            result += c;
    }
    return result;
}
