// Fuzzes the scan of a public-log index page: any bytes, both filters.
//
// Invariants: every call sign is made only of "/", "0"-"9" and "A"-"Z"; the JA
// list is exactly the DX list less the call signs without a Japanese prefix;
// there are never more call signs than anchor markers; the scan agrees with
// the search rule applied literally (no remembered end marker), and with the
// page delivered to the reader in chunks of random size.
#include "FuzzCheck.h"

#include "calllist/CallSignListReader.h"
#include "callsign/CallSignScan.h"
#include "fakes/ScriptedHttpClient.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <random>

namespace {

const QByteArray anchorMarker = QByteArrayLiteral(".log\">");
const QByteArray endMarker = QByteArrayLiteral("</a>");

bool onlyCallSignCharacters(const QString &call)
{
    const QStringView allowed = u"/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return std::all_of(call.begin(), call.end(), [&](QChar c) { return allowed.contains(c); });
}

bool japanese(const QString &call)
{
    static const QStringList prefixes = QStringLiteral(
        "JA JD JE JF JG JH JI JJ JK JL JM JN JO JP JQ JR JS 7J 7K 7L 7M 7N 8J 8K 8L 8M 8N")
                                            .split(u' ');
    return call.size() >= 2 && prefixes.contains(call.first(2));
}

// The search from byte start + 1 (1-based) on, a byte at a time, ending at the
// first zero byte; 0 when nothing is found.
int literalPosFrom(const QByteArray &sub, const QByteArray &text, int start)
{
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] == '\0')
            return 0;
        if (QByteArrayView(text).sliced(i).startsWith(sub))
            return int(i) + 1;
    }
    return 0;
}

// Every anchor searched for its own end marker, from front to back.
QStringList literalScan(const QByteArray &page)
{
    QStringList calls;
    int h = 1;
    while ((h = literalPosFrom(anchorMarker, page, h)) != 0) {
        const int l = literalPosFrom(endMarker, page, h);
        const int first = h + int(anchorMarker.size());
        QString call = l == 0 ? QString() : QString::fromLatin1(page.mid(first - 1, l - first));
        for (QChar &c : call) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 0x20);
        }
        if (onlyCallSignCharacters(call))
            calls.append(call);
    }
    return calls;
}

QStringList readInChunks(const QByteArray &page, CallSignFilter filter, std::uint32_t seed)
{
    auto *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QStringList calls;
    int finishedCount = 0;
    qint64 lastProgress = 0;
    QObject::connect(&reader, &CallSignListReader::progress, &reader, [&](qint64 bytes) {
        FUZZ_CHECK(bytes > lastProgress);
        lastProgress = bytes;
    });
    QObject::connect(&reader, &CallSignListReader::finished, &reader, [&](const QStringList &list) {
        calls = list;
        ++finishedCount;
    });
    FUZZ_CHECK(reader.start(0, filter));

    // Mostly small chunks, now and then up to the 1024 bytes of one read.
    std::minstd_rand random(seed);
    qsizetype at = 0;
    while (at < page.size()) {
        const qsizetype limit = qsizetype(1) << (random() % 11);
        const qsizetype n = std::min(page.size() - at, 1 + qsizetype(random() % limit));
        client->deliver(page.sliced(at, n));
        at += n;
    }
    client->finish();
    FUZZ_CHECK(finishedCount == 1);
    FUZZ_CHECK(lastProgress == page.size());
    return calls;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));

    const QStringList dx = scanCallSigns(page, CallSignFilter::DX);
    const QStringList ja = scanCallSigns(page, CallSignFilter::JA);

    FUZZ_CHECK(dx.size() <= page.count(anchorMarker));
    for (const QString &call : dx)
        FUZZ_CHECK(onlyCallSignCharacters(call));

    QStringList japaneseOfDx;
    std::copy_if(dx.begin(), dx.end(), std::back_inserter(japaneseOfDx), japanese);
    FUZZ_CHECK(ja == japaneseOfDx);

    FUZZ_CHECK(dx == literalScan(page));

    // The chunk sizes follow from the page, so a crash replays exactly.
    const auto seed = std::uint32_t(qHash(page));
    const CallSignFilter filter = (seed >> 1) & 1 ? CallSignFilter::JA : CallSignFilter::DX;
    FUZZ_CHECK(readInChunks(page, filter, seed) == (filter == CallSignFilter::JA ? ja : dx));
    return 0;
}
