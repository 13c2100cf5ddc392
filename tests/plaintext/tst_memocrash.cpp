// A memo save cut short by a crash leaves the previous save whole.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestMemoCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving();
};

void TestMemoCrash::killedWhileSaving()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"memo.txt"_qs);
    for (int run = 0; run < 8; ++run) {
        QProcess writer;
        writer.start(QStringLiteral(MEMO_WRITER), {path});
        QVERIFY(writer.waitForReadyRead(10000));
        QTest::qWait(run * 7);  // kills land at different moments of a save
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray memo = file.readAll();
        QVERIFY2(!memo.isEmpty() && memo.size() % 4096 == 0, qPrintable(QString::number(memo.size())));
        QCOMPARE(memo.count(memo.front()), memo.size());
    }
}

QTEST_APPLESS_MAIN(TestMemoCrash)
#include "tst_memocrash.moc"
