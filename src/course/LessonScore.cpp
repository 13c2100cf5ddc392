#include "LessonScore.h"

#include "plaintext/SendText.h"

namespace {

constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;
constexpr char16_t kHiraganaFirst = 0x3041;
constexpr char16_t kHiraganaLast = 0x3096;
constexpr char16_t kHiraganaToKatakana = 0x60;

// Small katakana and the large ones they are sent as.
const QString kSmallKana = QStringLiteral("ァィゥェォッャュョヮヵヶ");
const QString kLargeKana = QStringLiteral("アイウエオツヤユヨワカケ");

} // namespace

bool LessonScore::passed() const
{
    return sent > 0 && percent() >= kPassPercent;
}

QString foldCopy(const QString &text)
{
    // Compatibility forms first (half-width kana, full-width Latin, and the
    // spacing sound marks, which become a space and the combining mark), then
    // every voiced kana split into its base and combining mark.
    const QString plain = replaceBracketNotations(text)
                              .normalized(QString::NormalizationForm_KC)
                              .normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(plain.size());
    for (QChar c : plain) {
        char16_t u = c.unicode();
        if (c.isSpace())
            continue;
        if (u == kCombiningVoiced)
            u = u'゛';
        else if (u == kCombiningSemiVoiced)
            u = u'゜';
        else if (u >= kHiraganaFirst && u <= kHiraganaLast)
            u += kHiraganaToKatakana;
        const qsizetype small = kSmallKana.indexOf(QChar(u));
        if (small >= 0)
            u = kLargeKana.at(small).unicode();
        folded += QChar(u).toUpper();
    }
    return folded;
}

LessonScore scoreLesson(const QString &sent, const QString &copied)
{
    LessonScore score;
    score.alignment = alignCopy(foldCopy(sent), foldCopy(copied));
    for (const AlignedPair &pair : score.alignment) {
        if (pair.op != AlignedPair::Extra)
            ++score.sent;
        if (pair.op == AlignedPair::Match)
            ++score.correct;
    }
    return score;
}

int lessonReachedAfter(int reached, int played, double percent, int lastLesson)
{
    if (played == reached && percent >= kPassPercent && reached < lastLesson)
        return reached + 1;
    return reached;
}
