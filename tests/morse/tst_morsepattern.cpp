#include "morse/MorsePattern.h"

#include <QTest>

class TestMorsePattern : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void everyCodeUnitGivesAWellFormedPattern();
    void katakanaMirrorsHiragana();
    void voicedKanaAreBasePlusMark();
};

void TestMorsePattern::lookup_data()
{
    QTest::addColumn<int>("codeUnit");
    QTest::addColumn<QString>("pattern");

    const struct { char16_t c; const char *name; const char *pattern; } rows[] = {
        {u'A', "A", ".-"},          {u'a', "a", ".-"},
        {0xFF21, "Ａ", ".-"},        {0xFF41, "ａ", ".-"},
        {u'0', "0", "-----"},       {0xFF10, "０", "-----"},
        {u'Z', "Z", "--.."},        {u'9', "9", "----."},
        {0x3041, "ぁ", "--.--"},     {0x3042, "あ", "--.--"},
        {0x3063, "っ", ".--."},      {0x3064, "つ", ".--."},
        {0x3074, "ぴ", "--..- ..--."}, {0x30D4, "ピ", "--..- ..--."},
        {0x304C, "が", ".-.. .."},   {0x3062, "ぢ", "..-. .."},
        {0x307C, "ぼ", "-.. .."},    {0x3071, "ぱ", "-... ..--."},
        {0x30A2, "ア", "--.--"},     {0x30A1, "ァ", "--.--"},
        {0x30AC, "ガ", ".-.. .."},   {0x30D1, "パ", "-... ..--."},
        {0x30F0, "ヰ", ".-..-"},     {0x30F3, "ン", ".-.-."},
        {0x3093, "ん", ".-.-."},     {0x3092, "を", ".---"},
        {u'"', "quotation mark", ".-..."},
        {u'%', "%", "...-."},       {u'*', "asterisk", "...-."},
        {u'<', "<", "-..-.."},      {0xFF1C, "＜", ""},
        {u'^', "^", "-..---"},      {0xFF3E, "＾", ""},
        {u'=', "=", "-...-"},       {0xFF1D, "＝", ""},
        {u'+', "+", ".-.-."},       {u'>', ">", "..-..-"},
        {u'(', "(", "-.--.-"},      {u')', ")", ".-..-."},
        {u'!', "!", "-.-.--"},      {u'@', "@", ".--.-."},
        {0xFF1F, "？", "..--.."},    {0xFF20, "＠", ".--.-."},
        {0x3002, "。", ".-.-.."},    {0xFF61, "｡", ".-.-."},
        {0x30A3, "ィ", ".-"},        {0xFF68, "ｨ", ".-..-"},
        {0xFF6A, "ｪ", ".--.."},      {0xFF67, "ｧ", ""},
        {0x30F4, "ヴ", "..- .."},    {0x3094, "ゔ", ""},
        {0x30F5, "ヵ", ".-.."},      {0x30F6, "ヶ", "-.--"},
        {0xFF76, "ｶ", ".-.."},       {0xFF9E, "ﾞ", ".."},
        {0xFF9F, "ﾟ", "..--."},      {0xFF66, "ｦ", ".---"},
        {0xFF71, "ｱ", "--.--"},      {0xFF9D, "ﾝ", ".-.-."},
        {0xFF70, "ｰ", ".--.-"},      {0xFF63, "｣", ".-.-.."},
        {0xFF62, "｢", ""},           {0xFF65, "･", ""},
        {u' ', "space", " "},       {0x3000, "ideographic space", " "},
        {0x3001, "、", ".-.-.-"},    {0xFF0C, "，", "--..--"},
        {0xFF0E, "．", ".-.-.-"},    {0xFF01, "！", "-.-.--"},
        {0xFF0F, "／", "-..-."},     {0x309B, "゛", ".."},
        {0x309C, "゜", "..--."},     {0x300D, "」", ".-.-.."},
        {0xFF08, "（", "-.--.-"},    {0xFF09, "）", ".-..-."},
        {0x30FC, "ー", ".--.-"},     {0xFF0D, "－", "-....-"},
        {u'\'', "apostrophe", ""},  {u':', ":", ""},
        {u'{', "{", ""},            {u'\t', "tab", ""},
        {0x65E5, "日", ""},          {0xD83D, "high surrogate", ""},
        {0xDE00, "low surrogate", ""}, {0x300C, "「", ""},
        {0x30FB, "・", ""},          {0xFF02, "＂", ""},
        {0xFF0B, "＋", ""},          {0xFF5B, "｛", ""},
        {0x3099, "combining voiced mark", ""}, {0x007F, "DEL", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << int(row.c) << QString::fromLatin1(row.pattern);
}

void TestMorsePattern::lookup()
{
    QFETCH(int, codeUnit);
    QFETCH(QString, pattern);
    const MorsePattern found = LookupMorsePattern(char16_t(codeUnit));
    QCOMPARE(QString::fromLatin1(found.data(), qsizetype(found.size())), pattern);
}

void TestMorsePattern::everyCodeUnitGivesAWellFormedPattern()
{
    // Entries that must hold nothing, by range, as counted in the Morse chart.
    int emptyAscii = 0, emptyFullwidth = 0, emptyHalfwidth = 0, emptyKana = 0;
    for (int c = 0; c <= 0xFFFF; ++c) {
        const MorsePattern p = LookupMorsePattern(char16_t(c));
        QVERIFY2(p.size() <= 11, qPrintable(QString::number(c, 16)));
        for (const char symbol : p)
            QVERIFY2(symbol == '.' || symbol == '-' || symbol == ' ', qPrintable(QString::number(c, 16)));
        if (p.empty()) {
            if (c >= 0x20 && c <= 0x7A) ++emptyAscii;
            if (c >= 0xFF10 && c <= 0xFF5A) ++emptyFullwidth;
            if (c >= 0xFF61 && c <= 0xFF9F) ++emptyHalfwidth;
            if ((c >= 0x3041 && c <= 0x3093) || (c >= 0x30A1 && c <= 0x30F6)) ++emptyKana;
        }
    }
    QCOMPARE(emptyAscii, 8);
    QCOMPARE(emptyFullwidth, 11);
    QCOMPARE(emptyHalfwidth, 9);
    QCOMPARE(emptyKana, 0);
}

void TestMorsePattern::katakanaMirrorsHiragana()
{
    for (char16_t c = 0x30A1; c <= 0x30F3; ++c)
        QCOMPARE(LookupMorsePattern(c), LookupMorsePattern(char16_t(c - 0x60)));
}

void TestMorsePattern::voicedKanaAreBasePlusMark()
{
    const char16_t voiced[] = {u'が', u'ぎ', u'ぐ', u'げ', u'ご', u'ざ', u'じ', u'ず', u'ぜ', u'ぞ',
                               u'だ', u'ぢ', u'づ', u'で', u'ど', u'ば', u'び', u'ぶ', u'べ', u'ぼ'};
    for (const char16_t c : voiced)
        QCOMPARE(std::string(LookupMorsePattern(c)), std::string(LookupMorsePattern(char16_t(c - 1))) + " ..");
    const char16_t semiVoiced[] = {u'ぱ', u'ぴ', u'ぷ', u'ぺ', u'ぽ'};
    for (const char16_t c : semiVoiced)
        QCOMPARE(std::string(LookupMorsePattern(c)), std::string(LookupMorsePattern(char16_t(c - 2))) + " ..--.");
}

QTEST_APPLESS_MAIN(TestMorsePattern)
#include "tst_morsepattern.moc"
