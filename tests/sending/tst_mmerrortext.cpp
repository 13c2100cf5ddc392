#include "sending/MMErrorText.h"
#include "sending/WaveFormat.h"

#include <QTest>

class TestMMErrorText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void openMessage();
    void pcmFormat();
};

void TestMMErrorText::text_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    const struct { int code; const char *text; } rows[] = {
        {0, "no error"}, {1, "unspecified error"}, {6, "no device driver present"},
        {7, " memory allocation error"}, {11, "invalid parameter passed"},
        {12, "invalid parameter passed to error translation routine!"},
        {32, "unsupported wave format"}, {33, "still something playing"},
        {65, "still something playing"}, {34, "header not prepared"}, {64, "header not prepared"},
        {97, "request not completed"}, {166, "request not completed"}, {129, "time struct size"},
        {167, "joystick is unplugged"}, {257, "file not found"}, {266, "file is unbuffered"},
        {267, "invalid parameter passed to error translation routine!"},
        {65535, "invalid parameter passed to error translation routine!"},
    };
    for (const auto &row : rows)
        QTest::addRow("%d", row.code) << row.code << QString::fromLatin1(row.text);
}

void TestMMErrorText::text()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(MMErrorText(std::uint16_t(code)), text);
}

void TestMMErrorText::openMessage()
{
    QCOMPARE(OpenErrorMessage(6), u"Error opening waveform audio!\r\nno device driver present"_qs);
    QCOMPARE(OpenErrorMessage(7), u"Error opening waveform audio!\r\n memory allocation error"_qs);
}

void TestMMErrorText::pcmFormat()
{
    const tWAVEFORMATEX pcm = MakePcmFormat();
    QCOMPARE(pcm.wFormatTag, 1);
    QCOMPARE(pcm.nChannels, 1);
    QCOMPARE(pcm.nSamplesPerSec, 8000u);
    QCOMPARE(pcm.nAvgBytesPerSec, 16000u);
    QCOMPARE(pcm.nBlockAlign, 2);
    QCOMPARE(pcm.wBitsPerSample, 16);
    QCOMPARE(pcm.cbSize, 0);
}

QTEST_APPLESS_MAIN(TestMMErrorText)
#include "tst_mmerrortext.moc"
