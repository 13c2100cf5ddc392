#include "morse/MorsePattern.h"
#include "plaintext/SendText.h"

#include <QTest>

#include <string>
#include <string_view>
#include <vector>

namespace {

// The charts every table entry must follow, written the way an operator reads
// them: each item a character and its code. Nothing here is taken from the
// program's tables; the rest of the code units follow from the rules in
// expectedChart().
const char16_t kInternational[] =
    u"A.- B-... C-.-. D-.. E. F..-. G--. H.... I.. J.--- K-.- L.-.. M-- N-. O--- P.--. "
    u"Q--.- R.-. S... T- U..- V...- W.-- X-..- Y-.-- Z--.. "
    u"1.---- 2..--- 3...-- 4....- 5..... 6-.... 7--... 8---.. 9----. 0----- "
    u"!-.-.-- (-.--.- ).-..-. ,--..-- --....- ..-.-.- /-..-. ?..--.. @.--.-.";

// Wabun code in the order of the iroha, followed by the marks and signs.
const char16_t kWabun[] =
    u"イ.- ロ.-.- ハ-... ニ-.-. ホ-.. ヘ. ト..-.. チ..-. リ--. ヌ.... ル-.--. ヲ.--- "
    u"ワ-.- カ.-.. ヨ-- タ-. レ--- ソ---. ツ.--. ネ--.- ナ.-. ラ... ム- "
    u"ウ..- ヰ.-..- ノ..-- オ.-... ク...- ヤ.-- マ-..- ケ-.-- フ--.. コ---- "
    u"エ-.--- テ.-.-- ア--.-- サ-.-.- キ-.-.. ユ-..-- メ-...- ミ..-.- シ--.-. "
    u"ヱ.--.. ヒ--..- モ-..-. セ.---. ス---.- ン.-.-. "
    u"゛.. ゜..--. ー.--.- 、.-.-.- 。.-.-.. 」.-.-..";

// Small kana are keyed as the large ones.
const char16_t kSmallKana[] = u"ァア ィイ ゥウ ェエ ォオ ッツ ャヤ ュユ ョヨ ヮワ ヵカ ヶケ";

// The key characters that stand for prosigns and two-kana signs: each sends
// its two characters run together, without the gap between characters.
const struct {
    char16_t key;
    const char16_t *sign;
} kKeyCharacters[] = {
    {u'"', u"AS"}, {u'#', u"KN"}, {u'$', u"SK"}, {u'%', u"SN"}, {u'&', u"KA"}, {u'+', u"AR"},
    {u'=', u"BT"}, {u'^', u"ホレ"}, {u'*', u"ラタ"}, {u'<', u"ホホ"}, {u'>', u"ウウ"},
};

// Full-width forms that are sent as their ASCII form; every other one is silent.
const char16_t kFullWidthSent[] = u"!(),-./?@";

using Chart = std::vector<std::string>;  // indexed by code unit; empty: no Morse

void addItems(Chart &chart, const char16_t *items)
{
    for (const QString &item : QString::fromUtf16(items).split(u' ', Qt::SkipEmptyParts))
        chart[item.at(0).unicode()] = item.mid(1).toStdString();
}

char16_t compatibilityForm(char16_t c)
{
    const QString folded = QString(QChar(c)).normalized(QString::NormalizationForm_KC);
    return folded.size() == 1 ? folded.at(0).unicode() : 0;
}

// What every code unit must key, from the charts and the rules that extend them.
Chart expectedChart()
{
    Chart chart(0x10000);
    addItems(chart, kInternational);
    for (char16_t c = u'a'; c <= u'z'; ++c)
        chart[c] = chart[c - u'a' + u'A'];
    chart[u' '] = chart[0x3000] = " ";  // word space, also the ideographic space

    addItems(chart, kWabun);
    for (const QString &pair : QString::fromUtf16(kSmallKana).split(u' '))
        chart[pair.at(0).unicode()] = chart[pair.at(1).unicode()];
    // Voiced and semi-voiced kana, by their canonical decomposition: the base
    // kana, a three-unit gap, the mark.
    for (char16_t c = 0x30A1; c <= 0x30F6; ++c) {
        const QString parts = QString(QChar(c)).normalized(QString::NormalizationForm_D);
        if (parts.size() == 2 && (parts.at(1) == QChar(0x3099) || parts.at(1) == QChar(0x309A))) {
            const char16_t mark = parts.at(1) == QChar(0x3099) ? u'゛' : u'゜';
            chart[c] = chart[parts.at(0).unicode()] + ' ' + chart[mark];
        }
    }
    // Hiragana ぁ to ん as the katakana at the same place of their block.
    for (char16_t c = 0x3041; c <= 0x3093; ++c)
        chart[c] = chart[c + 0x60];

    for (const auto &[key, sign] : kKeyCharacters)
        chart[key] = chart[sign[0]] + chart[sign[1]];

    for (char16_t c = 0xFF01; c <= 0xFF5E; ++c) {
        const char16_t ascii = compatibilityForm(c);
        if (QChar(ascii).isLetterOrNumber() || std::u16string_view(kFullWidthSent).find(ascii) != std::u16string_view::npos)
            chart[c] = chart[ascii];
    }
    // Half-width katakana as their full-width forms, the sound marks as ゛ ゜,
    // except that small ones are silent, ｨ and ｪ stand for ヰ and ヱ, and ｡ is
    // keyed as ン (the full-width 。 is not).
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        char16_t full = compatibilityForm(c);
        full = full == 0x3099 ? u'゛' : full == 0x309A ? u'゜' : full;
        chart[c] = chart[full];
    }
    for (const char16_t c : u"ｧｩｫｬｭｮｯ")
        chart[c] = std::string();
    chart[u'ｨ'] = chart[u'ヰ'];
    chart[u'ｪ'] = chart[u'ヱ'];
    chart[u'｡'] = chart[u'ン'];
    return chart;
}

QString describe(int codeUnit, const std::string &pattern)
{
    return QStringLiteral("U+%1 %2 \"%3\"")
        .arg(codeUnit, 4, 16, QChar(u'0'))
        .arg(QChar(char16_t(codeUnit)))
        .arg(QString::fromStdString(pattern));
}

} // namespace

class TestMorsePattern : public QObject
{
    Q_OBJECT

private slots:
    void everyCodeUnitKeysAsTheChartSays();
    void chartCoversWhatATrainerNeeds();
    void everyBracketNotationKeysItsSign_data();
    void everyBracketNotationKeysItsSign();
};

void TestMorsePattern::everyCodeUnitKeysAsTheChartSays()
{
    const Chart chart = expectedChart();
    QStringList wrong;
    for (int c = 0; c <= 0xFFFF; ++c) {
        const std::string found(LookupMorsePattern(char16_t(c)));
        if (found != chart[c])
            wrong << describe(c, found) + QStringLiteral(" should be \"%1\"").arg(QString::fromStdString(chart[c]));
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
}

// A rule of the chart above that went wrong (a decomposition, a range) could
// silence a whole block in both the chart and the tables alike.
void TestMorsePattern::chartCoversWhatATrainerNeeds()
{
    const Chart chart = expectedChart();
    const auto count = [&](int first, int last) {
        int n = 0;
        for (int c = first; c <= last; ++c)
            n += chart[c].empty() ? 0 : 1;
        return n;
    };
    QCOMPARE(count(0x20, 0x7A), 91 - 8);           // all but ' : ; [ \ ] _ `
    QCOMPARE(count(0x3041, 0x3093), 83);           // every hiragana ぁ to ん
    QCOMPARE(count(0x30A1, 0x30F6), 86);           // every katakana ァ to ヶ
    QCOMPARE(count(0xFF10, 0xFF5A), 75 - 11);      // all but ：；＜＝＞［＼］＾＿｀
    QCOMPARE(count(0xFF61, 0xFF9F), 63 - 9);       // all but ｢ ･ and seven small kana
    QCOMPARE(chart[u'ガ'], std::string(".-.. .."));
    QCOMPARE(chart[u'ぽ'], std::string("-.. ..--."));
    QCOMPARE(chart[u'ﾃ'], std::string(".-.--"));
    QCOMPARE(chart[u'$'], std::string("...-.-"));
    QCOMPARE(chart[u'ゔ'], std::string());         // outside the hiragana table
    QCOMPARE(chart[u'ヷ'], std::string());
}

void TestMorsePattern::everyBracketNotationKeysItsSign_data()
{
    QTest::addColumn<QString>("sign");
    for (const char16_t *sign : {u"AS", u"KN", u"SK", u"SN", u"KA", u"AR", u"BT", u"ホレ", u"ﾎﾚ",
                                 u"ラタ", u"ﾗﾀ", u"ホホ", u"ﾎﾎ", u"ウウ", u"ｳｳ", u"as", u"kN"})
        QTest::newRow(QString::fromUtf16(sign).toUtf8().constData()) << QString::fromUtf16(sign);
}

void TestMorsePattern::everyBracketNotationKeysItsSign()
{
    QFETCH(QString, sign);
    const Chart chart = expectedChart();
    const QString sent = replaceBracketNotations(u'[' + sign + u']');
    QCOMPARE(sent.size(), 1);
    const std::string runTogether = chart[sign.at(0).toUpper().unicode()] + chart[sign.at(1).toUpper().unicode()];
    QCOMPARE(std::string(LookupMorsePattern(sent.at(0).unicode())), runTogether);
}

QTEST_APPLESS_MAIN(TestMorsePattern)
#include "tst_morsepattern.moc"
