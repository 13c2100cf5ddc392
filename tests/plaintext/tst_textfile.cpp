#include "plaintext/TextFile.h"

#include "plaintext/WithoutReadOverride.h"

#include "TestPaths.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <thread>

namespace {

// The text every sample file in tests/data/plaintext holds, in its encoding.
const QString kSampleText = QStringLiteral(
    "CQ CQ DE JA1ABC [AR]\r\n"
    "こんにちは、モールス信号の練習です。\r\n"
    "ｶﾀｶﾅ　全角スペース ①～ \\ ~ 100%\r\n"
    "「終わり」・ー\r\n");

QString samplePath(const char *name)
{
    return QStringLiteral(KEYLARK_TEST_DATA_DIR "/plaintext/") + QLatin1String(name);
}

bool hasLoneLineBreak(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return true;
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return true;
    }
    return false;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void everyEncodingLoadsTheSameText_data();
    void everyEncodingLoadsTheSameText();
    void decode_data();
    void decode();
    void truncatedSequenceIsMarkedNotDropped_data();
    void truncatedSequenceIsMarkedNotDropped();
    void arbitraryBytesNeverLeaveALoneLineBreak();
    void fileOutcomes();
    void unreadableFileReportsPathAndReason();
    void readErrorIsReportedNotTakenForAnEmptyFile();
    void pipeIsReadToItsEndAndRefusedPastTheLimit_data();
    void pipeIsReadToItsEndAndRefusedPastTheLimit();
    void endlessDeviceIsRefusedAtTheLimit();
    void tooLargeFileIsRefused();
};

void TestTextFile::everyEncodingLoadsTheSameText_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("UTF-8 with mark") << samplePath("sample-utf8-bom.txt");
    QTest::newRow("UTF-16 LE") << samplePath("sample-utf16le.txt");
    QTest::newRow("UTF-16 BE") << samplePath("sample-utf16be.txt");
    QTest::newRow("UTF-8 without mark") << samplePath("sample-utf8.txt");
    QTest::newRow("CP932 without mark") << samplePath("sample-cp932.txt");
    QTest::newRow("UTF-8, LF only") << samplePath("sample-lf.txt");
    QTest::newRow("CP932, CR only") << samplePath("sample-cr.txt");
}

void TestTextFile::everyEncodingLoadsTheSameText()
{
    QFETCH(QString, file);
    const TextFileResult result = loadTextFile(file);
    QCOMPARE(result.status, TextFileResult::Loaded);
    QCOMPARE(result.text, kSampleText);
}

void TestTextFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    auto row = [](const char *name, const char *bytes, qsizetype size, const QString &text) {
        QTest::newRow(name) << QByteArray(bytes, size) << text;
    };
    row("empty", "", 0, QString());
    row("UTF-8 mark alone", "\xEF\xBB\xBF", 3, QString());
    row("UTF-16 LE mark alone", "\xFF\xFE", 2, QString());
    row("second mark is text", "\xEF\xBB\xBF\xEF\xBB\xBF" "a", 7, QStringLiteral("\uFEFFa"));

    row("LF only", "a\nb\n", 4, QStringLiteral("a\r\nb\r\n"));
    row("CR only", "a\rb\r", 4, QStringLiteral("a\r\nb\r\n"));
    row("CR LF kept", "a\r\nb", 4, QStringLiteral("a\r\nb"));
    row("LF CR is two breaks", "a\n\rb", 4, QStringLiteral("a\r\n\r\nb"));
    row("CR before CR LF", "a\r\r\nb", 5, QStringLiteral("a\r\n\r\nb"));
    row("lone breaks in UTF-16", "\xFF\xFE" "a\0\n\0b\0\r\0", 10, QStringLiteral("a\r\nb\r\n"));

    // Valid UTF-8 is taken as UTF-8 even where it would also be CP932.
    row("UTF-8 before CP932", "\xC3\xA9", 2, QStringLiteral("é"));
    row("half-width kana byte", "\xB6\xC0", 2, QStringLiteral("ｶﾀ"));
    row("CP932 backslash and tilde", "\x82\xA0\\~", 4, QStringLiteral("あ\\~"));

    row("bad byte after UTF-8 mark", "\xEF\xBB\xBF" "a\xFF" "b", 6, QStringLiteral("a\uFFFDb"));
    row("byte that is no CP932 character", "\x82\xA0\x80\x82\xA2", 5, QStringLiteral("あ\uFFFDい"));
    row("unassigned CP932 code", "\x82\xA0\x85\x40", 4, QStringLiteral("あ\uFFFD"));
    row("CP932 lead byte at the end", "\x82\xA0\x82", 3, QStringLiteral("あ\uFFFD"));
    row("CP932 lead byte before a line break", "\x82\xA0\x82\n", 4, QStringLiteral("あ\uFFFD\r\n"));
    row("CP932 control bytes unchanged", "\x82\xA0\x1A\x1C\x7F\t", 6,
        QStringLiteral("あ\x1A\x1C\x7F\t"));
    row("odd-length UTF-16 LE", "\xFF\xFE" "a\0b", 5, QStringLiteral("a\uFFFD"));
    row("odd-length UTF-16 BE", "\xFE\xFF" "\0a" "b", 5, QStringLiteral("a\uFFFD"));
}

void TestTextFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeTextFile(bytes), text);
}

void TestTextFile::truncatedSequenceIsMarkedNotDropped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF" "ab\xE3\x81");
    QTest::newRow("UTF-8 without mark, read as CP932") << QByteArray("ab\xE3");
}

void TestTextFile::truncatedSequenceIsMarkedNotDropped()
{
    QFETCH(QByteArray, bytes);
    const QString text = decodeTextFile(bytes);
    QVERIFY2(text.startsWith(u"ab"), qPrintable(text));
    QVERIFY2(text.size() > 2, "the cut-off character vanished");
    for (qsizetype i = 2; i < text.size(); ++i)
        QCOMPARE(text[i], QChar(0xFFFD));
}

void TestTextFile::arbitraryBytesNeverLeaveALoneLineBreak()
{
    // Bytes rich in line breaks, lead bytes and marks, decoded every way.
    const char alphabet[] = "\r\n\x82\xA0\x81\xFF\xFE\xEF\xBB\xBF\xE3\x80\x1A\x00a";
    QRandomGenerator random(20240601);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int length = random.bounded(1, 24);
        for (int i = 0; i < length; ++i)
            bytes += alphabet[random.bounded(int(sizeof alphabet) - 1)];
        const QString text = decodeTextFile(bytes);
        QVERIFY2(!hasLoneLineBreak(text), bytes.toHex(' ').constData());
    }
}

void TestTextFile::fileOutcomes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    QVERIFY(writeFile(empty, QByteArray()));
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));

    const TextFileResult loaded = loadTextFile(empty);
    QCOMPARE(loaded.status, TextFileResult::Loaded);
    QCOMPARE(loaded.text, QString());

    const TextFileResult notFound = loadTextFile(missing);
    QCOMPARE(notFound.status, TextFileResult::NotFound);
    QCOMPARE(notFound.path, missing);
    QVERIFY(notFound.text.isEmpty());

    // A folder exists but is no file to read, even for root.
    const TextFileResult folder = loadTextFile(dir.path());
    QCOMPARE(folder.status, TextFileResult::Failed);
    QCOMPARE(folder.path, dir.path());
    QVERIFY(!folder.reason.isEmpty());
    QVERIFY(folder.errorMessage().contains(dir.path()));
    QVERIFY(folder.errorMessage().contains(folder.reason));
}

void TestTextFile::unreadableFileReportsPathAndReason()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locked.txt"));
    QVERIFY(writeFile(path, QByteArrayLiteral("CQ")));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));

    TextFileResult result;
    QVERIFY(runWithoutReadOverride([&] { result = loadTextFile(path); }));
    QCOMPARE(result.status, TextFileResult::Failed);
    QCOMPARE(result.path, path);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(result.text.isEmpty());
}

void TestTextFile::readErrorIsReportedNotTakenForAnEmptyFile()
{
    // Opens, then fails at its first read: the process's memory at address 0.
    const TextFileResult result = loadTextFile(QStringLiteral("/proc/self/mem"));
    QCOMPARE(result.status, TextFileResult::Failed);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(result.text.isEmpty());
}

void TestTextFile::pipeIsReadToItsEndAndRefusedPastTheLimit_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("a short text") << qint64(5) << true;
    QTest::newRow("exactly the limit") << kMaxTextFileBytes << true;
    QTest::newRow("one byte past the limit") << kMaxTextFileBytes + 1 << false;
}

// A pipe has no size to check beforehand: what it delivers must be read whole
// or refused, never cut at the limit.
void TestTextFile::pipeIsReadToItsEndAndRefusedPastTheLimit()
{
    QFETCH(qint64, bytes);
    QFETCH(bool, loaded);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pipe.txt"));
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);  // the reader may stop early
    std::thread writer([&] {
        const int fd = open(QFile::encodeName(path).constData(), O_WRONLY);
        const QByteArray chunk(64 * 1024, 'e');
        for (qint64 left = bytes; fd >= 0 && left > 0;) {
            const ssize_t n = write(fd, chunk.constData(), size_t(std::min<qint64>(left, chunk.size())));
            if (n <= 0)
                break;
            left -= n;
        }
        if (fd >= 0)
            close(fd);
    });
    const TextFileResult result = loadTextFile(path);
    writer.join();
    std::signal(SIGPIPE, oldHandler);

    QCOMPARE(result.ok(), loaded);
    QCOMPARE(result.text.size(), loaded ? bytes : 0);
    if (!loaded)
        QVERIFY(result.reason.contains(QString::number(kMaxTextFileBytes / (1024 * 1024))));
}

void TestTextFile::endlessDeviceIsRefusedAtTheLimit()
{
    const TextFileResult result = loadTextFile(QStringLiteral("/dev/zero"));
    QCOMPARE(result.status, TextFileResult::Failed);
    QVERIFY(result.text.isEmpty());
}

void TestTextFile::tooLargeFileIsRefused()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("huge.txt"));
    {
        // Sparse: costs no disk space.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxTextFileBytes + 1));
    }
    const TextFileResult result = loadTextFile(path);
    QCOMPARE(result.status, TextFileResult::Failed);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(result.text.isEmpty());

    {
        QFile file(path);
        QVERIFY(file.resize(kMaxTextFileBytes));
    }
    QCOMPARE(loadTextFile(path).status, TextFileResult::Loaded);
}

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
