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

} // namespace

QString RemoveLineBreaks(QString text)
{
    return text.remove(QStringLiteral("\r\n"));
}

QString ReplaceBracketNotations(QString text)
{
    for (const Notation &notation : kNotations)
        text.replace(QString::fromUtf16(notation.brackets), QString(QChar(notation.keyCharacter)),
                     Qt::CaseInsensitive);
    return text;
}

QString PrepareSendText(const QString &memoText)
{
    return ReplaceBracketNotations(RemoveLineBreaks(memoText));
}
