#include "MorsePattern.h"

#include <array>
#include <cstddef>

namespace {

// "Nothing" entries: the code unit has no Morse, exactly like an unmapped one.
constexpr MorsePattern none{};

// ASCII U+0020 ' ' to U+007A 'z'. Several symbols are key characters that stand
// for prosigns and two-kana signs written in brackets in a practice text.
constexpr std::array<MorsePattern, 0x7A - 0x20 + 1> ascii_code = {
    " ",        // 20 space: word space
    "-.-.--",   // 21 !
    ".-...",    // 22 "  AS
    "-.--.",    // 23 #  KN
    "...-.-",   // 24 $  SK
    "...-.",    // 25 %  SN
    "-.-.-",    // 26 &  KA
    none,       // 27 '
    "-.--.-",   // 28 (  as the full-width （
    ".-..-.",   // 29 )  as the full-width ）
    "...-.",    // 2A *  ラタ
    ".-.-.",    // 2B +  AR
    "--..--",   // 2C ,
    "-....-",   // 2D -
    ".-.-.-",   // 2E .
    "-..-.",    // 2F /
    "-----",    // 30 0
    ".----",    // 31 1
    "..---",    // 32 2
    "...--",    // 33 3
    "....-",    // 34 4
    ".....",    // 35 5
    "-....",    // 36 6
    "--...",    // 37 7
    "---..",    // 38 8
    "----.",    // 39 9
    none,       // 3A :
    none,       // 3B ;
    "-..-..",   // 3C <  ホホ
    "-...-",    // 3D =  BT
    "..-..-",   // 3E >  ウウ
    "..--..",   // 3F ?
    ".--.-.",   // 40 @
    ".-",   "-...", "-.-.", "-..",  ".",    "..-.", "--.",  "....", // A-H
    "..",   ".---", "-.-",  ".-..", "--",   "-.",   "---",  ".--.", // I-P
    "--.-", ".-.",  "...",  "-",    "..-",  "...-", ".--",  "-..-", // Q-X
    "-.--", "--..",                                                 // Y-Z
    none,       // 5B [
    none,       // 5C backslash
    none,       // 5D ]
    "-..---",   // 5E ^  ホレ
    none,       // 5F _
    none,       // 60 `
    ".-",   "-...", "-.-.", "-..",  ".",    "..-.", "--.",  "....", // a-h
    "..",   ".---", "-.-",  ".-..", "--",   "-.",   "---",  ".--.", // i-p
    "--.-", ".-.",  "...",  "-",    "..-",  "...-", ".--",  "-..-", // q-x
    "-.--", "--..",                                                 // y-z
};

// Hiragana U+3041 ぁ to U+3093 ん, Wabun code. Small kana are sent as the large
// kana; a voiced kana is its base followed by the voiced mark "..", a semi-voiced
// one its base followed by the semi-voiced mark "..--.", three units apart.
constexpr std::array<MorsePattern, 0x3093 - 0x3041 + 1> hiragana_code = {
    "--.--", "--.--",           // ぁ あ
    ".-",    ".-",              // ぃ い
    "..-",   "..-",             // ぅ う
    "-.---", "-.---",           // ぇ え
    ".-...", ".-...",           // ぉ お
    ".-..",  ".-.. ..",         // か が
    "-.-..", "-.-.. ..",        // き ぎ
    "...-",  "...- ..",         // く ぐ
    "-.--",  "-.-- ..",         // け げ
    "----",  "---- ..",         // こ ご
    "-.-.-", "-.-.- ..",        // さ ざ
    "--.-.", "--.-. ..",        // し じ
    "---.-", "---.- ..",        // す ず
    ".---.", ".---. ..",        // せ ぜ
    "---.",  "---. ..",         // そ ぞ
    "-.",    "-. ..",           // た だ
    "..-.",  "..-. ..",         // ち ぢ
    ".--.",  ".--.",  ".--. ..", // っ つ づ
    ".-.--", ".-.-- ..",        // て で
    "..-..", "..-.. ..",        // と ど
    ".-.",                      // な
    "-.-.",                     // に
    "....",                     // ぬ
    "--.-",                     // ね
    "..--",                     // の
    "-...",  "-... ..",  "-... ..--.",   // は ば ぱ
    "--..-", "--..- ..", "--..- ..--.",  // ひ び ぴ
    "--..",  "--.. ..",  "--.. ..--.",   // ふ ぶ ぷ
    ".",     ". ..",     ". ..--.",      // へ べ ぺ
    "-..",   "-.. ..",   "-.. ..--.",    // ほ ぼ ぽ
    "-..-",                     // ま
    "..-.-",                    // み
    "-",                        // む
    "-...-",                    // め
    "-..-.",                    // も
    ".--",   ".--",             // ゃ や
    "-..--", "-..--",           // ゅ ゆ
    "--",    "--",              // ょ よ
    "...",                      // ら
    "--.",                      // り
    "-.--.",                    // る
    "---",                      // れ
    ".-.-",                     // ろ
    "-.-",   "-.-",             // ゎ わ
    ".-..-",                    // ゐ
    ".--..",                    // ゑ
    ".---",                     // を
    ".-.-.",                    // ん
};

// Katakana U+30A1 ァ to U+30F6 ヶ: ァ to ン mirror the hiragana 0x60 code units
// below, followed by ヴ (ウ voiced), ヵ (as カ) and ヶ (as ケ).
constexpr auto katakana_code = [] {
    std::array<MorsePattern, 0x30F6 - 0x30A1 + 1> table{};
    for (std::size_t i = 0; i < hiragana_code.size(); ++i)
        table[i] = hiragana_code[i];
    table[0x30F4 - 0x30A1] = "..- ..";  // ヴ
    table[0x30F5 - 0x30A1] = ".-..";    // ヵ
    table[0x30F6 - 0x30A1] = "-.--";    // ヶ
    return table;
}();

// Full-width U+FF10 ０ to U+FF5A ｚ: digits and letters as their ASCII forms,
// ？ and ＠ likewise; the full-width ： ； ＜ ＝ ＞ ［ ＼ ］ ＾ ＿ ｀ are silent.
constexpr auto fullwidth_code = [] {
    std::array<MorsePattern, 0xFF5A - 0xFF10 + 1> table{};
    auto asAscii = [&](char16_t c) { table[c - 0xFF10] = ascii_code[c - 0xFEE0 - 0x20]; };
    for (char16_t c = 0xFF10; c <= 0xFF19; ++c) asAscii(c);  // ０-９
    for (char16_t c = 0xFF21; c <= 0xFF3A; ++c) asAscii(c);  // Ａ-Ｚ
    for (char16_t c = 0xFF41; c <= 0xFF5A; ++c) asAscii(c);  // ａ-ｚ
    asAscii(0xFF1F);                                         // ？
    asAscii(0xFF20);                                         // ＠
    return table;
}();

// Half-width katakana U+FF61 ｡ to U+FF9F ﾟ.
constexpr std::array<MorsePattern, 0xFF9F - 0xFF61 + 1> halfwidth_code = {
    ".-.-.",    // ｡  (the full-width 。 differs: ".-.-..")
    none,       // ｢
    ".-.-..",   // ｣
    ".-.-.-",   // ､
    none,       // ･
    ".---",     // ｦ
    none,       // ｧ
    ".-..-",    // ｨ  as ヰ
    none,       // ｩ
    ".--..",    // ｪ  as ヱ
    none, none, none, none, none,                   // ｫ ｬ ｭ ｮ ｯ
    ".--.-",    // ｰ
    "--.--", ".-",    "..-",   "-.---", ".-...",    // ｱ ｲ ｳ ｴ ｵ
    ".-..",  "-.-..", "...-",  "-.--",  "----",     // ｶ ｷ ｸ ｹ ｺ
    "-.-.-", "--.-.", "---.-", ".---.", "---.",     // ｻ ｼ ｽ ｾ ｿ
    "-.",    "..-.",  ".--.",  ".-.--", "..-..",    // ﾀ ﾁ ﾂ ﾃ ﾄ
    ".-.",   "-.-.",  "....",  "--.-",  "..--",     // ﾅ ﾆ ﾇ ﾈ ﾉ
    "-...",  "--..-", "--..",  ".",     "-..",      // ﾊ ﾋ ﾌ ﾍ ﾎ
    "-..-",  "..-.-", "-",     "-...-", "-..-.",    // ﾏ ﾐ ﾑ ﾒ ﾓ
    ".--",   "-..--", "--",                         // ﾔ ﾕ ﾖ
    "...",   "--.",   "-.--.", "---",   ".-.-",     // ﾗ ﾘ ﾙ ﾚ ﾛ
    "-.-",   ".-.-.",                               // ﾜ ﾝ
    "..",       // ﾞ voiced sound mark
    "..--.",    // ﾟ semi-voiced sound mark
};

// A short initialiser list would leave silent entries at the end unnoticed.
static_assert(ascii_code.back() == "--..");
static_assert(hiragana_code.back() == ".-.-.");
static_assert(halfwidth_code.back() == "..--.");

struct SingleCode {
    char16_t codeUnit;
    MorsePattern pattern;
};

// Japanese and full-width punctuation outside the five ranges.
constexpr std::array<SingleCode, 14> single_code = {{
    {0x3001, ".-.-.-"},   // 、
    {0x3002, ".-.-.."},   // 。
    {0xFF0C, "--..--"},   // ，
    {0xFF0E, ".-.-.-"},   // ．
    {0xFF01, "-.-.--"},   // ！
    {0xFF0F, "-..-."},    // ／
    {0x309B, ".."},       // ゛
    {0x309C, "..--."},    // ゜
    {0x300D, ".-.-.."},   // 」
    {0xFF08, "-.--.-"},   // （
    {0xFF09, ".-..-."},   // ）
    {0x3000, " "},        // ideographic space: word space
    {0x30FC, ".--.-"},    // ー
    {0xFF0D, "-....-"},   // －
}};

template <std::size_t N>
constexpr bool inRange(char16_t c, char16_t first, const std::array<MorsePattern, N> &)
{
    return c >= first && c < first + N;
}

} // namespace

MorsePattern LookupMorsePattern(char16_t c)
{
    if (inRange(c, 0x0020, ascii_code))
        return ascii_code[c - 0x0020];
    if (inRange(c, 0x3041, hiragana_code))
        return hiragana_code[c - 0x3041];
    if (inRange(c, 0x30A1, katakana_code))
        return katakana_code[c - 0x30A1];
    if (inRange(c, 0xFF10, fullwidth_code))
        return fullwidth_code[c - 0xFF10];
    if (inRange(c, 0xFF61, halfwidth_code))
        return halfwidth_code[c - 0xFF61];
    for (const SingleCode &single : single_code) {
        if (single.codeUnit == c)
            return single.pattern;
    }
    return none;
}
