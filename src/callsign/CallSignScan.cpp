#include "CallSignScan.h"

#include <cstring>

namespace {

const QByteArray kAnchorMarker = QByteArrayLiteral(".log\">");
const QByteArray kEndMarker = QByteArrayLiteral("</a>");

bool isCallSignChar(char16_t c)
{
    return c == u'/' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
}

} // namespace

int PosFrom(const QByteArray &sub, const QByteArray &text, int start)
{
    if (sub.isEmpty())
        return 0;
    if (start <= 0)
        return int(text.indexOf(sub)) + 1;
    if (start >= text.size())
        return 0;
    const qsizetype found = text.indexOf(sub, start);
    if (found < 0)
        return 0;
    // The search ends at the first zero byte after the start. Looking for it
    // only up to the match keeps a walk over the page linear: a scan for the
    // zero byte across the whole rest of the page on every call would not be.
    const qsizetype matchEnd = found + sub.size();
    if (std::memchr(text.constData() + start, 0, size_t(matchEnd - start)) != nullptr)
        return 0;
    return int(found) + 1;
}

bool IsCallSign(const QString &text)
{
    for (const QChar c : text) {
        if (!isCallSignChar(c.unicode()))
            return false;
    }
    return true;
}

bool hasJapanesePrefix(const QString &callSign)
{
    if (callSign.size() < 2)
        return false;
    const char16_t first = callSign.at(0).unicode();
    const char16_t second = callSign.at(1).unicode();
    if (first == u'J')
        return second == u'A' || (second >= u'D' && second <= u'S');
    if (first == u'7' || first == u'8')
        return second >= u'J' && second <= u'N';
    return false;
}

QStringList scanCallSigns(const QByteArray &page, CallSignFilter filter)
{
    QStringList calls;
    int h = 1;
    // The end marker found for the previous anchor is also the one for every
    // anchor that starts before it, and "none" stays "none" for later anchors;
    // remembering it keeps a page full of anchors from being searched again
    // and again to its end.
    int l = 0;
    bool endSearched = false;
    for (;;) {
        h = PosFrom(kAnchorMarker, page, h);
        if (h == 0)
            break;
        if (!endSearched || (l != 0 && l <= h)) {
            l = PosFrom(kEndMarker, page, h);
            endSearched = true;
        }
        QString call;
        if (l != 0) {
            const int first = h + int(kAnchorMarker.size());
            call = QString::fromLatin1(page.constData() + first - 1, l - first);
        }
        for (QChar &c : call) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - u'a' + u'A');
        }
        if (!IsCallSign(call))
            continue;
        if (filter == CallSignFilter::JA && !hasJapanesePrefix(call))
            continue;
        calls.append(call);
    }
    return calls;
}
