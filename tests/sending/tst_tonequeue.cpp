#include "sending/ToneQueue.h"

#include <QTest>

namespace {

// Runs a script against a queue that asks for the next buffer 100 bytes ahead
// of what is heard or 20 bytes ahead of what is read. Buffers get tags 1, 2, ...
// in the order written.
//   w40     write 40 bytes        w:abc  write the bytes "abc"
//   r64     the device reads 64   R64    the same, logging the bytes (0 = silence)
//   h40     heard up to byte 40   e      log the waiting events (- when none)
//   d       discard, log D and the dropped tags (D- when none)
//   L       the device is lost (code 6)       C  shut down
//   O       reopen                            i  log I when idle, B when not
//   p4:6    log 6 bytes of the stream as it will be read from byte 4 on
//   c       log the count of changes
// A refused write logs X and its tag.
QString run(const QString &script)
{
    ToneQueue queue(100, 20);
    QStringList log;
    quint64 nextTag = 1;
    for (const QString &op : script.split(u' ', Qt::SkipEmptyParts)) {
        const QString arg = op.mid(1);
        switch (op.at(0).unicode()) {
        case 'w': {
            const QByteArray data = arg.startsWith(u':') ? arg.mid(1).toLatin1()
                                                         : QByteArray(arg.toInt(), '\x55');
            const quint64 tag = nextTag++;
            if (!queue.write(tag, data.constData(), data.size()))
                log << QStringLiteral("X%1").arg(tag);
            break;
        }
        case 'r':
        case 'R': {
            QByteArray out(arg.toInt(), '?');
            queue.read(out.data(), out.size());
            if (op.at(0) == u'R')
                log << QString::fromLatin1(out.replace('\0', '0'));
            break;
        }
        case 'h':
            queue.setHeard(arg.toLongLong());
            break;
        case 'e': {
            QStringList events;
            while (const auto event = queue.takeEvent()) {
                static const char kinds[] = "TSFL";
                events << QLatin1Char(kinds[event->kind])
                        + QString::number(event->kind == ToneQueue::Event::Lost ? event->code : event->tag);
            }
            log << (events.isEmpty() ? QStringLiteral("-") : events.join(u','));
            break;
        }
        case 'd': {
            QStringList tags;
            for (quint64 tag : queue.discardPending())
                tags << QString::number(tag);
            log << u'D' + (tags.isEmpty() ? QStringLiteral("-") : tags.join(u','));
            break;
        }
        case 'L':
            queue.markLost(6);
            break;
        case 'C':
            queue.shutDown();
            break;
        case 'O':
            queue.reopen();
            break;
        case 'i':
            log << (queue.isIdle() ? QStringLiteral("I") : QStringLiteral("B"));
            break;
        case 'p': {
            const QStringList where = arg.split(u':');
            QByteArray out(where[1].toInt(), '?');
            queue.peek(where[0].toLongLong(), out.data(), out.size());
            log << QString::fromLatin1(out.replace('\0', '0'));
            break;
        }
        case 'c':
            log << QString::number(queue.changes());
            break;
        default:
            qFatal("bad script op");
        }
    }
    return log.join(u' ');
}

} // namespace

class TestToneQueue : public QObject
{
    Q_OBJECT

private slots:
    void events_data();
    void events();
    void stream_data();
    void stream();
    void discardAtEveryReadOffset();
};

void TestToneQueue::events_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("log");

    QTest::newRow("short buffer is taken at once, heard from its first byte to its last")
        << "w40 e r64 h0 e h1 e h39 e h40 e" << "T1 - S1 - F1";
    QTest::newRow("start and end follow the heard position, not the read")
        << "r50 w40 e r64 h50 e h51 e h89 e h90 e" << "T1 - S1 - F1";
    QTest::newRow("long buffer is taken only once its end is within the lead of the heard")
        << "w200 e r170 e h0 e h100 e h101 e r100 h200 e" << "- - - S1 T1 F1";
    QTest::newRow("a reader nearing the end of the queue asks for more whatever is heard")
        << "w200 e r180 e r1 e" << "- - T1";
    QTest::newRow("back to back: the second starts as the first finishes")
        << "w40 w40 r100 e h39 e h40 e h41 e h80 e" << "T1,T2 S1 F1 S2 F2";
    QTest::newRow("written after the stream ran dry: starts where the reader was")
        << "w40 r100 w40 e r100 e h99 e h100 e h101 e h140 e" << "T1 T2 S1,F1 - S2 F2";
    QTest::newRow("discard drops the unread buffer, its neighbours play out")
        << "w40 w40 w40 r50 d e r200 h250 e" << "D3 T1,T2 S1,F1,S2,F2";
    QTest::newRow("discard forgets the events waiting for a dropped buffer")
        << "w40 d e" << "D1 -";
    QTest::newRow("discard keeps a partly read buffer: it cannot be called back")
        << "w40 w40 r60 d e r40 h80 e" << "D- T1,T2 S1,F1,S2,F2";
    QTest::newRow("discard with nothing queued")
        << "d e" << "D- -";
    QTest::newRow("heard never goes back nor past what was read")
        << "w40 r30 h35 e h10 e h40 e r10 h40 e" << "T1,S1 - - F1";
    QTest::newRow("a lower heard position reported later is not taken back")
        << "w40 r100 h50 e h10 w40 e" << "T1,S1,F1 T2";
    QTest::newRow("empty buffer still starts and finishes")
        << "w0 e r10 e h0 e h1 e" << "T1 - - S1,F1";
    QTest::newRow("lost device: only the loss is reported, writes are refused")
        << "w40 w40 r50 h10 L e w10 e" << "L6 X3 -";
    QTest::newRow("shut down: nothing more is reported or accepted")
        << "w40 r64 C e w10 h40 e" << "- X2 -";
    QTest::newRow("reopened after a loss: a loss not yet taken is dropped, buffers play again")
        << "w40 r50 L O e w40 e r100 h100 e" << "- T2 S2,F2";
    QTest::newRow("reopened after a shut down: buffers play again")
        << "w40 C O w40 e r40 h40 e" << "T2 S2,F2";
    QTest::newRow("idle only once everything written has been heard or dropped")
        << "i w40 i r40 i h39 i h40 i w40 i d i" << "I B B B I B D2 I";
}

void TestToneQueue::events()
{
    QFETCH(QString, script);
    QFETCH(QString, log);
    QCOMPARE(run(script), log);
}

void TestToneQueue::stream_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("log");

    QTest::newRow("silence when nothing is queued") << "R6" << "000000";
    QTest::newRow("buffers back to back across reads")
        << "w:aaaaa w:bbb R4 R4 R4" << "aaaa abbb 0000";
    QTest::newRow("written after running dry: silence, then the buffer at once")
        << "w:aa R4 w:bb R4" << "aa00 bb00";
    QTest::newRow("a discarded buffer never sounds, a partly read one plays out")
        << "w:aaaa w:bbbb R6 w:cccc d R8" << "aaaabb D3 bb000000";
    QTest::newRow("nothing after shut down") << "w:aaaa R2 C R4" << "aa 0000";
    QTest::newRow("looking ahead: what is read stays, what is unread follows it")
        << "w:aaaa w:bbbb r2 p0:10 p3:3 R8" << "aaaabbbb00 abb aabbbb00";
    QTest::newRow("looking ahead after running dry: a new buffer lies at the read position")
        << "w:aa R4 w:bb p2:6 R4" << "aa00 00bb00 bb00";
    QTest::newRow("looking ahead leaves out a dropped buffer, keeps a partly read one")
        << "w:aaaa w:bbbb r2 d p0:10" << "D2 aaaa000000";
    QTest::newRow("looking ahead reads nothing: no event, no change")
        << "w:aaaa c p0:8 e c" << "1 aaaa0000 T1 1";
    QTest::newRow("every write, drop and loss is a change; reading, hearing and a drop of nothing are not")
        << "c w4 c d c w4 r2 h1 d c L c" << "0 1 D1 2 D- 3 4";
}

void TestToneQueue::stream()
{
    QFETCH(QString, script);
    QFETCH(QString, log);
    QCOMPARE(run(script), log);
}

// Whatever the device has read of a buffer, even one byte at the very start of
// the stream, keeps that buffer whole; a buffer of which nothing was read is
// dropped, and the stream goes on with what is kept, then silence.
void TestToneQueue::discardAtEveryReadOffset()
{
    const QByteArray stream = "aaaabbbb";
    for (int offset = 0; offset <= 9; ++offset) {
        const int keptBuffers = offset == 0 ? 0 : offset <= 4 ? 1 : 2;
        const QString dropped = keptBuffers == 0 ? u"D1,2"_qs : keptBuffers == 1 ? u"D2"_qs : u"D-"_qs;
        QByteArray rest = stream.left(4 * keptBuffers).mid(offset);
        rest += QByteArray(10 - rest.size(), '0');
        QCOMPARE(run(QStringLiteral("w:aaaa w:bbbb r%1 d R10").arg(offset)),
                 dropped + u' ' + QString::fromLatin1(rest));
    }
}

QTEST_APPLESS_MAIN(TestToneQueue)
#include "tst_tonequeue.moc"
