// The kept copies of web reads: each year and filter apart, replaced by the
// next read, and never used when damaged.
#include "calllist/CallListFallback.h"
#include "calllist/CallListTexts.h"
#include "calllist/CallSignListCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kReadAt(QDate(2026, 11, 30), QTime(23, 30, 5), Qt::UTC);
const QStringList kCalls{u"K1AR"_qs, u"JA1ABC/P"_qs, QString(), u"K1AR"_qs};

} // namespace

class TestCallSignListCache : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup() { m_dir.remove(); m_dir = {}; }
    void eachYearAndFilterApart();
    void damagedCopyIsNotUsed_data();
    void damagedCopyIsNotUsed();
    void unwritableFolder();
    void fallbackAfterFailedRead_data();
    void fallbackAfterFailedRead();

private:
    QString onlyFile() const;
    QTemporaryDir m_dir{};
};

QString TestCallSignListCache::onlyFile() const
{
    const QDir folder(m_dir.filePath(u"cache"_qs));
    const QStringList files = folder.entryList(QDir::Files);
    return files.size() == 1 ? folder.filePath(files.first()) : QString();
}

void TestCallSignListCache::eachYearAndFilterApart()
{
    const CallSignListCache cache(m_dir.filePath(u"cache"_qs));
    QVERIFY(!cache.lookup(2024, CallSignFilter::DX));
    QVERIFY(cache.store(2024, CallSignFilter::DX, kCalls, kReadAt));
    QVERIFY(cache.store(2024, CallSignFilter::JA, {u"JA1ABC/P"_qs}, kReadAt.addDays(1)));
    QVERIFY(!cache.store(2023, CallSignFilter::DX, {}, kReadAt));

    const auto dx = cache.lookup(2024, CallSignFilter::DX);
    QVERIFY(dx);
    QCOMPARE(dx->callSigns, kCalls);  // page order, duplicates and the empty entry kept
    QCOMPARE(dx->readAt, kReadAt);
    QCOMPARE(cache.lookup(2024, CallSignFilter::JA)->readAt, kReadAt.addDays(1));
    QVERIFY(!cache.lookup(2023, CallSignFilter::DX));
    QVERIFY(!cache.lookup(2025, CallSignFilter::DX));

    // A later read replaces the copy.
    QVERIFY(cache.store(2024, CallSignFilter::DX, {u"W1AW"_qs}, kReadAt.addDays(2)));
    QCOMPARE(cache.lookup(2024, CallSignFilter::DX)->callSigns, QStringList{u"W1AW"_qs});
    QCOMPARE(QDir(cache.folder()).entryList(QDir::Files).size(), 2);
}

void TestCallSignListCache::damagedCopyIsNotUsed_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("an entry missing") << QByteArray("JA1ABC/P\n\nK1AR\n") << QByteArray("JA1ABC/P\n\n");
    QTest::newRow("last line cut") << QByteArray("JA1ABC/P\n\nK1AR\n") << QByteArray("JA1ABC/P\n\nK1A");
    QTest::newRow("an entry damaged") << QByteArray("JA1ABC/P") << QByteArray("JA1ABC?P");
    QTest::newRow("another year's copy") << QByteArray("year 2024") << QByteArray("year 2023");
    QTest::newRow("another filter's copy") << QByteArray("filter DX") << QByteArray("filter JA");
    QTest::newRow("no date") << QByteArray("2026-11-30T23:30:05Z") << QByteArray("yesterday");
    QTest::newRow("not ours") << QByteArray("KEYLARK") << QByteArray("OTHER");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestCallSignListCache::damagedCopyIsNotUsed()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    const CallSignListCache cache(m_dir.filePath(u"cache"_qs));
    QVERIFY(cache.store(2024, CallSignFilter::DX, kCalls, kReadAt));
    QVERIFY(cache.lookup(2024, CallSignFilter::DX));
    QFile file(onlyFile());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    if (from.isEmpty()) {
        bytes.clear();
    } else {
        QVERIFY(bytes.contains(from));
        bytes.replace(from, to);
    }
    QVERIFY(file.resize(0));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QVERIFY(!cache.lookup(2024, CallSignFilter::DX));
}

void TestCallSignListCache::unwritableFolder()
{
    // A file where the folder should be.
    QFile blocker(m_dir.filePath(u"cache"_qs));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const CallSignListCache cache(blocker.fileName());
    QVERIFY(!cache.store(2024, CallSignFilter::DX, kCalls, kReadAt));
    QVERIFY(!cache.lookup(2024, CallSignFilter::DX));
}

// A failed read takes the copy of the same year and filter, kept from the last
// read that gave a list; without one the drill keeps its list and only the
// failure is told.
void TestCallSignListCache::fallbackAfterFailedRead_data()
{
    QTest::addColumn<int>("readYear");
    QTest::addColumn<bool>("readJa");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<bool>("kept");

    QTest::newRow("same year and filter") << 2024 << false << kCalls << true;
    QTest::newRow("another filter") << 2024 << true << kCalls << false;
    QTest::newRow("another year") << 2023 << false << kCalls << false;
    QTest::newRow("a read that gave nothing") << 2024 << false << QStringList() << false;
}

void TestCallSignListCache::fallbackAfterFailedRead()
{
    QFETCH(int, readYear);
    QFETCH(bool, readJa);
    QFETCH(QStringList, read);
    QFETCH(bool, kept);
    CallListFallback lists(CallSignListCache(m_dir.filePath(u"cache"_qs)));
    lists.select(readYear, readJa ? CallSignFilter::JA : CallSignFilter::DX);
    lists.readSucceeded(read);

    lists.select(2024, CallSignFilter::DX);
    const CallListFallback::Outcome outcome = lists.readFailed(u"タイムアウト"_qs);
    QCOMPARE(outcome.callSigns.has_value(), kept);
    QVERIFY(outcome.noticeText.startsWith(callListFailedText(u"タイムアウト"_qs)));
    QCOMPARE(outcome.statusText.isEmpty(), !kept);
    QCOMPARE(lists.kept().callSigns, outcome.callSigns);
    if (kept) {
        QCOMPARE(*outcome.callSigns, kCalls);
        QVERIFY(outcome.noticeText.size() > callListFailedText(u"タイムアウト"_qs).size());
    } else {
        QCOMPARE(outcome.noticeText, callListFailedText(u"タイムアウト"_qs));
    }
}

QTEST_APPLESS_MAIN(TestCallSignListCache)
#include "tst_callsignlistcache.moc"
