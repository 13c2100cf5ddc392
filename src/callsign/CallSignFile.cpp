#include "CallSignFile.h"

#include "plaintext/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringTokenizer>
#include <QVarLengthArray>

#include <algorithm>

namespace {

using Words = QVarLengthArray<QStringView, 16>;

Words wordsOf(QStringView line)
{
    Words words;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && line[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < n && !line[i].isSpace())
            ++i;
        if (i > start)
            words.append(line.sliced(start, i - start));
    }
    return words;
}

bool isAround(QChar c)
{
    // Nearly every character of a word is a letter, digit or "/": spare it the
    // search through the punctuation.
    if (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'/'))
        return false;
    return QStringView(u".,;:!?\"'`()[]{}<>、。，．「」『』（）【】").contains(c);
}

// A plain-text word without the punctuation written around it.
QStringView bare(QStringView word)
{
    while (!word.isEmpty() && isAround(word.front()))
        word = word.sliced(1);
    while (!word.isEmpty() && isAround(word.back()))
        word.chop(1);
    return word;
}

enum class Strictness {
    // Passes the character rule and holds a letter or digit.
    Word,
    // Also holds both a letter and a digit, as every amateur call sign does:
    // tells a call sign from a signal report in a log line cut short, and from
    // the ordinary words of a plain text.
    Call,
};

// The word as a call sign, or empty when it is none.
QString callSignOf(QStringView word, Strictness strictness)
{
    bool letter = false;
    bool digit = false;
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'))
            letter = true;
        else if (u >= u'0' && u <= u'9')
            digit = true;
        else if (u != u'/')
            return {};  // most words of a text end here, before any copy is made
    }
    if (strictness == Strictness::Call ? !(letter && digit) : !(letter || digit))
        return {};
    QString call = word.toString();
    for (QChar &c : call) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return IsCallSign(call) ? call : QString();
}

// A call sign of up to 12 characters as one number, each character a base-38
// digit from 1 to 37, so that no two call signs share a number; 0 for a longer
// one. A set of numbers is several times quicker than a set of strings for the
// hundreds of thousands of call signs of a big list.
quint64 packed(const QString &call)
{
    constexpr qsizetype mostDigits = 12;  // 38^12 < 2^64
    if (call.size() > mostDigits)
        return 0;
    quint64 value = 0;
    for (const QChar c : call) {
        const char16_t u = c.unicode();
        const quint64 digit = u == u'/' ? 1 : u <= u'9' ? 2 + (u - u'0') : 12 + (u - u'A');
        value = value * 38 + digit;
    }
    return value;
}

class Collector
{
public:
    Collector(CallSignFilter filter, qsizetype expected) : m_filter(filter) { m_seen.reserve(expected); }

    void add(QStringView word, Strictness strictness = Strictness::Word)
    {
        const QString call = callSignOf(word, strictness);
        if (call.isEmpty() || !firstTime(call))
            return;
        if (m_filter == CallSignFilter::JA && !hasJapanesePrefix(call))
            return;
        m_calls.append(call);
    }

    QStringList calls() const { return m_calls; }
    qsizetype distinct() const { return m_seen.size() + m_seenLong.size(); }

private:
    bool firstTime(const QString &call)
    {
        const quint64 number = packed(call);
        const qsizetype before = distinct();
        if (number)
            m_seen.insert(number);
        else
            m_seenLong.insert(call);
        return distinct() > before;
    }

    CallSignFilter m_filter;
    QSet<quint64> m_seen;
    QSet<QString> m_seenLong;
    QStringList m_calls;
};

bool startsWithTag(QStringView line, QStringView tag)
{
    return line.startsWith(tag, Qt::CaseInsensitive);
}

void collectCabrillo(QStringView line, Collector &collector)
{
    static constexpr QStringView qso = u"QSO:";
    if (!startsWithTag(line, qso))
        return;
    const Words words = wordsOf(line.sliced(qso.size()));
    // Frequency, mode, date and time come first.
    constexpr qsizetype fixed = 4;
    if (words.size() < fixed + 2)
        return;
    const qsizetype rest = words.size() - fixed;
    collector.add(words[fixed + rest / 2], Strictness::Call);
}

// Control characters other than the usual white space, and U+0000, are not in
// any text file.
bool looksBinary(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != u'\v' && u != 0x1A)
            return true;
    }
    return false;
}

QString fileError(const QString &path, const QString &what)
{
    return QStringLiteral("ファイル「%1」%2").arg(path, what);
}

} // namespace

CallSignFileFormat callSignFileFormatOf(const QString &text)
{
    bool firstLine = true;
    for (const QStringView line : QStringTokenizer{text, u'\n'}) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (firstLine && startsWithTag(trimmed, u"START-OF-LOG:"))
            return CallSignFileFormat::Cabrillo;
        firstLine = false;
        if (!trimmed.startsWith(u'#') && wordsOf(trimmed).size() != 1)
            return CallSignFileFormat::PlainText;
    }
    return CallSignFileFormat::CheckPartial;
}

QStringList callSignsOfText(const QString &text, CallSignFileFormat format, CallSignFilter filter,
                            qsizetype *callSignsBeforeFilter)
{
    // A check-partial list has a call sign in every six to ten characters:
    // room for them all from the start spares the set its rehashing. Other
    // texts repeat their words, and a set far too large only misses the cache.
    Collector collector(filter, format == CallSignFileFormat::CheckPartial ? text.size() / 6 : 0);
    for (const QStringView line : QStringTokenizer{text, u'\n'}) {
        const QStringView trimmed = line.trimmed();
        switch (format) {
        case CallSignFileFormat::Cabrillo:
            collectCabrillo(trimmed, collector);
            break;
        case CallSignFileFormat::CheckPartial:
            if (!trimmed.isEmpty() && !trimmed.startsWith(u'#'))
                collector.add(trimmed);
            break;
        case CallSignFileFormat::PlainText:
            for (const QStringView word : wordsOf(trimmed))
                collector.add(bare(word), Strictness::Call);
            break;
        }
    }
    if (callSignsBeforeFilter)
        *callSignsBeforeFilter = collector.distinct();
    return collector.calls();
}

CallSignFileResult loadCallSignFile(const QString &path, CallSignFilter filter)
{
    CallSignFileResult result;
    const QFileInfo info(path);
    result.fileName = info.fileName();
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());

    if (!info.exists()) {
        result.error = fileError(shown, QStringLiteral("が見つかりません。"));
        return result;
    }
    if (info.isDir()) {
        result.error = fileError(shown, QStringLiteral("はフォルダです。"));
        return result;
    }
    QFile file(path);
    const QString tooLarge =
        QStringLiteral("は大きすぎます（%1 MB まで）。").arg(kMaxCallSignFileBytes / (1024 * 1024));
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = fileError(shown, QStringLiteral("を開けません。") + file.errorString());
        return result;
    }
    if (file.size() > kMaxCallSignFileBytes) {
        result.error = fileError(shown, tooLarge);
        return result;
    }
    // One byte more than allowed also catches a file whose size is not known
    // in advance (a pipe, a file growing while it is read).
    const QByteArray bytes = file.read(kMaxCallSignFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = fileError(shown, QStringLiteral("を読めません。") + file.errorString());
        return result;
    }
    if (bytes.size() > kMaxCallSignFileBytes) {
        result.error = fileError(shown, tooLarge);
        return result;
    }

    const QString text = decodeTextFile(bytes);
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); })) {
        result.error = fileError(shown, QStringLiteral("は空です。"));
        return result;
    }
    if (looksBinary(text)) {
        result.error = fileError(shown, QStringLiteral("はテキストファイルではありません。"));
        return result;
    }

    result.format = callSignFileFormatOf(text);
    qsizetype beforeFilter = 0;
    const QStringList calls = callSignsOfText(text, result.format, filter, &beforeFilter);
    if (calls.isEmpty()) {
        result.error = fileError(shown, beforeFilter > 0 ? QStringLiteral("に JA のコールサインがありません。")
                                                         : QStringLiteral("にコールサインが見つかりませんでした。"));
        return result;
    }
    result.ok = true;
    result.callSigns = calls;
    return result;
}

QString callSignFileCountText(const QString &fileName, qsizetype count)
{
    return fileName + QStringLiteral(" : ") + QString::number(count) + QStringLiteral("局");
}
