// Call signs from the operator's files: the three formats with their awkward
// cases, the filter, and the files that are refused.
#include "callsign/CallSignFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(CallSignFilter)
Q_DECLARE_METATYPE(CallSignFileFormat)

namespace {

const QString kCheckPartial = QStringLiteral(
    "# MASTER.SCP 2024-11-20 JA9ZZZ\r\n"
    "#second comment\r\n"
    "ja1abc\r\n"
    "K1AR\r\n"
    "\r\n"
    "JA1ABC/P\r\n"
    "   w1aw  \r\n"
    "JA1-ABC\r\n"
    "k1ar\r\n"
    "7K4QOK\n"
    "JA1ABC/MM/QRP\n"
    "ja1abc/mm/qrp\n"
    "JA1ABC/MM/QRQ\n");

const QString kCabrillo = QStringLiteral(
    "START-OF-LOG: 3.0\r\n"
    "CONTEST: CQ-WW-CW\r\n"
    "CALLSIGN: JA1ZZZ\r\n"
    "SOAPBOX: worked W9XYZ on 10 m\r\n"
    "QSO:  7012 CW 2024-11-23 0000 JA1ZZZ        599 25     k1ar          599 05\r\n"
    "QSO: 14025 CW 2024-11-23 0001 JA1ZZZ 599 25 DL1ABC/P 599 14 1\r\n"
    "QSO:\t21030\tCW\t2024-11-23\t0002\tJA1ZZZ\t599\t25\tJA2XYZ\t599\t25\r\n"
    "X-QSO: 28010 CW 2024-11-23 0003 JA1ZZZ 599 25 W1XXX 599 05\r\n"
    "QSO: 28010 CW 2024-11-23 0004 JA1ZZZ 599 25 K1AR 599 05\r\n"
    "qso:3510 CW 2024-11-23 0005 JA1ZZZ 8J3AAA\r\n"
    "QSO: 3510 CW 2024-11-23 0006 JA1ZZZ 599\r\n"
    "END-OF-LOG:\r\n");

const QString kPlain = QStringLiteral(
    "CQ test de JA1ABC, worked (K1AR) and dl1abc/p.\n"
    "漢字 JA1-XYZ /// e-mail: JA2@x 「JA3XYZ」 k1ar\n");

} // namespace

class TestCallSignFile : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void load_data();
    void load();

private:
    QTemporaryDir m_dir;
};

void TestCallSignFile::formats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<CallSignFilter>("filter");
    QTest::addColumn<CallSignFileFormat>("format");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("beforeFilter");

    using F = CallSignFileFormat;
    const CallSignFilter DX = CallSignFilter::DX;
    const CallSignFilter JA = CallSignFilter::JA;
    QTest::newRow("check-partial") << kCheckPartial << DX << F::CheckPartial
                                   << QStringList{u"JA1ABC"_qs, u"K1AR"_qs, u"JA1ABC/P"_qs, u"W1AW"_qs,
                                                  u"7K4QOK"_qs, u"JA1ABC/MM/QRP"_qs, u"JA1ABC/MM/QRQ"_qs}
                                   << 7;
    QTest::newRow("check-partial, JA") << kCheckPartial << JA << F::CheckPartial
                                       << QStringList{u"JA1ABC"_qs, u"JA1ABC/P"_qs, u"7K4QOK"_qs,
                                                      u"JA1ABC/MM/QRP"_qs, u"JA1ABC/MM/QRQ"_qs}
                                       << 7;
    QTest::newRow("only comments") << u"# nothing yet\n#\n"_qs << DX << F::CheckPartial << QStringList{} << 0;
    QTest::newRow("Cabrillo") << kCabrillo << DX << F::Cabrillo
                              << QStringList{u"K1AR"_qs, u"DL1ABC/P"_qs, u"JA2XYZ"_qs, u"8J3AAA"_qs} << 4;
    QTest::newRow("Cabrillo, JA") << kCabrillo << JA << F::Cabrillo
                                  << QStringList{u"JA2XYZ"_qs, u"8J3AAA"_qs} << 4;
    QTest::newRow("Cabrillo without QSOs")
        << u"\n  start-of-log: 3.0\nCALLSIGN: JA1ZZZ\nQSO: 7000 CW\nEND-OF-LOG:\n"_qs << DX << F::Cabrillo
        << QStringList{} << 0;
    QTest::newRow("plain text") << kPlain << DX << F::PlainText
                                << QStringList{u"JA1ABC"_qs, u"K1AR"_qs, u"DL1ABC/P"_qs, u"JA3XYZ"_qs} << 4;
    QTest::newRow("plain text, JA") << kPlain << JA << F::PlainText
                                    << QStringList{u"JA1ABC"_qs, u"JA3XYZ"_qs} << 4;
    QTest::newRow("comments but two words a line") << u"# JA1AAA\nK1AR W1AW\n"_qs << DX << F::PlainText
                                                   << QStringList{u"JA1AAA"_qs, u"K1AR"_qs, u"W1AW"_qs} << 3;
    QTest::newRow("a note: words, reports and years are no call signs")
        << u"Worked today: K1AR, (JA1ABC)... 599 73 2024 / TU\nHeard W1AW/QRP on 7 MHz, station QRT.\n"_qs
        << DX << F::PlainText << QStringList{u"K1AR"_qs, u"JA1ABC"_qs, u"W1AW/QRP"_qs} << 3;
}

void TestCallSignFile::formats()
{
    QFETCH(QString, text);
    QFETCH(CallSignFilter, filter);
    QFETCH(CallSignFileFormat, format);
    QFETCH(QStringList, calls);
    QFETCH(int, beforeFilter);
    QCOMPARE(callSignFileFormatOf(text), format);
    qsizetype distinct = -1;
    QCOMPARE(callSignsOfText(text, format, filter, &distinct), calls);
    QCOMPARE(distinct, qsizetype(beforeFilter));
}

void TestCallSignFile::load_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<CallSignFilter>("filter");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("error");

    const CallSignFilter DX = CallSignFilter::DX;
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 with its mark") << u"MASTER.SCP"_qs << QByteArray(utf16.encode(kCheckPartial)) << DX << 7
                                          << QString();
    QTest::newRow("Shift_JIS log") << u"log.cbr"_qs
                                   << QByteArray(kCabrillo.toUtf8()).replace("on 10 m", "\x83\x65\x83\x58\x83\x67")
                                   << DX << 4 << QString();
    QByteArray atLimit = QByteArray("K1AR\n").repeated(kMaxCallSignFileBytes / 5);
    atLimit += QByteArray(kMaxCallSignFileBytes - atLimit.size(), ' ');
    QTest::newRow("at the size limit") << u"big.scp"_qs << atLimit << DX << 1 << QString();
    QTest::newRow("past the size limit") << u"huge.scp"_qs << atLimit + ' ' << DX << 0
                                         << u"は大きすぎます（8 MB まで）。"_qs;
    // A device or pipe has no size beforehand: read one byte past the limit, it is refused.
    QTest::newRow("endless device") << u"/dev/zero"_qs << QByteArray() << DX << 0 << u"は大きすぎます（8 MB まで）。"_qs;
    QTest::newRow("empty") << u"empty.scp"_qs << QByteArray() << DX << 0 << u"は空です。"_qs;
    QTest::newRow("blank lines only") << u"blank.txt"_qs << QByteArray("\r\n \t\r\n\n") << DX << 0
                                      << u"は空です。"_qs;
    QByteArray random(4096, '\0');
    QRandomGenerator generator(7);
    for (char &b : random)
        b = char(generator.bounded(256));
    QTest::newRow("binary") << u"picture.png"_qs << QByteArray("\x89PNG\r\n\x1a\n") + random << DX << 0
                            << u"はテキストファイルではありません。"_qs;
    QTest::newRow("one NUL in text") << u"nul.txt"_qs << QByteArray("K1AR\n\0W1AW\n", 11) << DX << 0
                                     << u"はテキストファイルではありません。"_qs;
    QTest::newRow("log without QSOs") << u"zero.log"_qs << QByteArray("START-OF-LOG: 3.0\nEND-OF-LOG:\n") << DX << 0
                                      << u"にコールサインが見つかりませんでした。"_qs;
    QTest::newRow("no Japanese station") << u"dx.scp"_qs << QByteArray("K1AR\nJB1ABC\n") << CallSignFilter::JA << 0
                                         << u"に JA のコールサインがありません。"_qs;
    QTest::newRow("missing") << u"<missing>"_qs << QByteArray() << DX << 0 << u"が見つかりません。"_qs;
    QTest::newRow("a folder") << u"<folder>"_qs << QByteArray() << DX << 0 << u"はフォルダです。"_qs;
}

void TestCallSignFile::load()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(CallSignFilter, filter);
    QFETCH(int, count);
    QFETCH(QString, error);

    QString path = m_dir.filePath(name);
    if (name == u"<missing>"_qs) {
        path = m_dir.filePath(u"nothing-here.scp"_qs);
    } else if (name.startsWith(u'/')) {
        path = name;
    } else if (name == u"<folder>"_qs) {
        path = m_dir.filePath(u"folder.scp"_qs);
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    const CallSignFileResult result = loadCallSignFile(path, filter);
    QCOMPARE(result.ok, error.isEmpty());
    QCOMPARE(result.callSigns.size(), count);
    QCOMPARE(result.fileName, QFileInfo(path).fileName());
    if (error.isEmpty())
        QCOMPARE(result.error, QString());
    else
        QCOMPARE(result.error, u"ファイル「"_qs + QDir::toNativeSeparators(path) + u"」"_qs + error);
}

QTEST_APPLESS_MAIN(TestCallSignFile)
#include "tst_callsignfile.moc"
