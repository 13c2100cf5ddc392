#include "SendText.h"

#include <array>

namespace {

struct Notation {
    const char16_t *brackets;
    char16_t keyCharacter;
};

// In the order the replacements are made.
constexpr std::array<Notation, 15> kNotations = {{
    {u"[ホレ]", u'^'},
    {u"[ﾎﾚ]", u'^'},
    {u"[ラタ]", u'*'},
    {u"[ﾗﾀ]", u'*'},
    {u"[ホホ]", u'<'},
    {u"[ﾎﾎ]", u'<'},
    {u"[ウウ]", u'>'},
    {u"[ｳｳ]", u'>'},
    {u"[AS]", u'"'},
    {u"[KN]", u'#'},
    {u"[SK]", u'$'},
    {u"[SN]", u'%'},
    {u"[KA]", u'&'},
    {u"[AR]", u'+'},
    {u"[BT]", u'='},
}};

// Kana, kanji and Japanese punctuation, full-width and half-width forms
// included: text written without spaces between its words.
bool isJapanese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF)     // Japanese punctuation, hiragana, katakana
        || (u >= 0x31F0 && u <= 0x31FF)     // small katakana for Ainu
        || (u >= 0x3400 && u <= 0x4DBF)     // rare kanji
        || (u >= 0x4E00 && u <= 0x9FFF)     // kanji
        || (u >= 0xF900 && u <= 0xFAFF)     // compatibility kanji
        || (u >= 0xFF00 && u <= 0xFFEF);    // full-width forms, half-width katakana
}

} // namespace

QString joinLines(const QString &text)
{
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    QString joined;
    joined.reserve(text.size());
    bool inBracket = false;      // a '[' written and its ']' not yet
    qsizetype nextBracket = -1;  // the first '[' or ']' at or after the scan, or size
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = text[i];
        if (!isBreak(c)) {
            if (c == u'[')
                inBracket = true;
            else if (c == u']')
                inBracket = false;
            joined += c;
            ++i;
            continue;
        }
        qsizetype next = i;
        while (next < size && isBreak(text[next]))
            ++next;
        i = next;
        if (joined.isEmpty() || next == size)
            continue;  // line breaks at either end vanish
        // Only moves forward, so the text is searched once however many lines it has.
        if (nextBracket < next) {
            nextBracket = next;
            while (nextBracket < size && text[nextBracket] != u'[' && text[nextBracket] != u']')
                ++nextBracket;
        }
        const bool insideNotation = inBracket && nextBracket < size && text[nextBracket] == u']';
        const QChar before = joined.back();
        const QChar after = text[next];
        // Japanese on both sides joins; a Latin word beside kana is a word of
        // its own, as "CQ TEST" on one line and "テスト" on the next.
        if (!insideNotation && before != u' ' && after != u' ' && !(isJapanese(before) && isJapanese(after)))
            joined += u' ';
    }
    return joined;
}

QString replaceBracketNotations(QString text)
{
    for (const Notation &notation : kNotations)
        text.replace(QString::fromUtf16(notation.brackets), QString(QChar(notation.keyCharacter)),
                     Qt::CaseInsensitive);
    return text;
}

QString prepareSendText(const QString &memoText)
{
    return replaceBracketNotations(joinLines(memoText));
}

QStringList writtenCharacters(const QString &memoText)
{
    // One pass from the front gives what the replacements in turn give: no
    // notation holds a bracket or a key character inside, so a replacement
    // never makes a new notation out of its neighbours.
    const QString joined = joinLines(memoText);
    QStringList written;
    written.reserve(joined.size());
    for (qsizetype i = 0; i < joined.size();) {
        qsizetype length = 1;
        if (joined[i] == u'[') {
            const QStringView rest = QStringView(joined).sliced(i);
            for (const Notation &notation : kNotations) {
                const QStringView brackets(notation.brackets);
                if (rest.startsWith(brackets, Qt::CaseInsensitive)) {
                    length = brackets.size();
                    break;
                }
            }
        }
        written.append(joined.mid(i, length));
        i += length;
    }
    return written;
}
