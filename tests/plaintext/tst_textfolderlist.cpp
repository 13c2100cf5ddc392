#include "plaintext/TextFile.h"
#include "plaintext/TextFolderList.h"
#include "plaintext/WithoutReadOverride.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool touch(const QString &path, const QByteArray &bytes = QByteArrayLiteral("CQ"))
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestTextFolderList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void whichEntriesAreListed_data();
    void whichEntriesAreListed();
    void sortedWithoutRegardToCase();
    void readOnFirstUseThenKept();
    void samePathDoesNotReread_data();
    void samePathDoesNotReread();
    void fullPathIgnoresTheWorkingDirectory();
    void folderThatCannotBeRead_data();
    void folderThatCannotBeRead();
    void lockedFolderCannotBeRead();

private:
    QString m_savedCurrent;
};

void TestTextFolderList::init()
{
    m_savedCurrent = QDir::currentPath();
}

void TestTextFolderList::cleanup()
{
    QDir::setCurrent(m_savedCurrent);
}

void TestTextFolderList::whichEntriesAreListed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("listed");

    QTest::newRow("text file") << "file" << "note.txt" << true;
    QTest::newRow("upper-case extension") << "file" << "NOTE.TXT" << true;
    QTest::newRow("mixed-case extension") << "file" << "note.Txt" << true;
    QTest::newRow("Japanese name") << "file" << "練習.txt" << true;
    QTest::newRow("other extension") << "file" << "note.md" << false;
    QTest::newRow("extension not last") << "file" << "note.txt.bak" << false;
    QTest::newRow("no dot") << "file" << "txt" << false;
    QTest::newRow("hidden file") << "file" << ".note.txt" << false;
    QTest::newRow("folder named like a text file") << "folder" << "sub.txt" << false;
    QTest::newRow("link to a text file") << "link" << "linked.txt" << true;
    QTest::newRow("broken link") << "broken link" << "broken.txt" << false;
}

void TestTextFolderList::whichEntriesAreListed()
{
    QFETCH(QString, kind);
    QFETCH(QString, entry);
    QFETCH(bool, listed);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(touch(dir.filePath(QStringLiteral("anchor.txt"))));
    const QString path = dir.filePath(entry);
    if (kind == u"file")
        QVERIFY(touch(path));
    else if (kind == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(entry));
    else if (kind == u"link")
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("anchor.txt")), path));
    else
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.txt")), path));

    TextFolderList list;
    QVERIFY(list.setFolder(dir.path()));
    QStringList expected{QStringLiteral("anchor.txt")};
    if (listed)
        expected << entry;
    QCOMPARE(list.names(), expected);
}

void TestTextFolderList::sortedWithoutRegardToCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"charlie.TXT", "Bravo.txt", "delta.txt", "alpha.txt", "Delta.txt"})
        QVERIFY(touch(dir.filePath(QLatin1String(name))));

    TextFolderList list(dir.path());
    const QStringList expected{QStringLiteral("alpha.txt"), QStringLiteral("Bravo.txt"),
                               QStringLiteral("charlie.TXT"), QStringLiteral("Delta.txt"),
                               QStringLiteral("delta.txt")};
    QCOMPARE(list.count(), int(expected.size()));
    for (int i = 0; i < list.count(); ++i)
        QCOMPARE(list.name(i), expected.at(i));
    QCOMPARE(list.name(-1), QString());
    QCOMPARE(list.name(list.count()), QString());
}

void TestTextFolderList::readOnFirstUseThenKept()
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    QVERIFY(dir.isValid() && elsewhere.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));

    // The list starts at the working directory of its creation but reads it
    // only when asked, even if the working directory has moved meanwhile.
    TextFolderList list;
    QVERIFY(touch(dir.filePath(QStringLiteral("first.txt"))));
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QCOMPARE(list.folder(), dir.path());
    QCOMPARE(list.count(), 1);

    // Not re-read before each pick.
    QVERIFY(touch(dir.filePath(QStringLiteral("second.txt"))));
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.name(0), QStringLiteral("first.txt"));
}

void TestTextFolderList::samePathDoesNotReread_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("same path") << QString();
    QTest::newRow("trailing separator") << QStringLiteral("/");
    QTest::newRow("with dot segment") << QStringLiteral("/./");
}

void TestTextFolderList::samePathDoesNotReread()
{
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    QTemporaryDir other;
    QVERIFY(dir.isValid() && other.isValid());
    QVERIFY(touch(dir.filePath(QStringLiteral("first.txt"))));

    TextFolderList list;
    QVERIFY(list.setFolder(dir.path()));
    QCOMPARE(list.count(), 1);

    QVERIFY(touch(dir.filePath(QStringLiteral("second.txt"))));
    QVERIFY(list.setFolder(dir.path() + suffix));
    QCOMPARE(list.count(), 1);

    // Another folder in between makes the next choice of this one read afresh.
    QVERIFY(list.setFolder(other.path()));
    QCOMPARE(list.count(), 0);
    QVERIFY(list.setFolder(dir.path() + suffix));
    QCOMPARE(list.count(), 2);
}

void TestTextFolderList::fullPathIgnoresTheWorkingDirectory()
{
    QTemporaryDir texts;
    QTemporaryDir elsewhere;
    QVERIFY(texts.isValid() && elsewhere.isValid());
    QVERIFY(touch(texts.filePath(QStringLiteral("pick.txt")), QByteArrayLiteral("from the list's folder")));
    QVERIFY(touch(elsewhere.filePath(QStringLiteral("pick.txt")), QByteArrayLiteral("from elsewhere")));

    // Chosen by a relative path while the working directory is the parent.
    QVERIFY(QDir::setCurrent(QFileInfo(texts.path()).path()));
    TextFolderList list;
    QVERIFY(list.setFolder(QFileInfo(texts.path()).fileName()));
    QCOMPARE(list.folder(), texts.path());
    QCOMPARE(QDir::currentPath(), QFileInfo(texts.path()).path());

    // Some dialog moves the working directory before the pick.
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QCOMPARE(list.count(), 1);
    const QString path = list.filePath(list.name(0));
    QCOMPARE(path, texts.filePath(QStringLiteral("pick.txt")));
    QCOMPARE(loadTextFile(path).text, QStringLiteral("from the list's folder"));
}

void TestTextFolderList::folderThatCannotBeRead_data()
{
    QTest::addColumn<QString>("badName");
    QTest::newRow("missing folder") << QStringLiteral("missing");
    QTest::newRow("a file, not a folder") << QStringLiteral("plain.txt");
}

void TestTextFolderList::folderThatCannotBeRead()
{
    QFETCH(QString, badName);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("good"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("good")));
    QVERIFY(touch(good + QStringLiteral("/one.txt")));
    QVERIFY(touch(dir.filePath(QStringLiteral("plain.txt"))));

    TextFolderList list;
    QVERIFY(list.setFolder(good));
    const QString bad = dir.filePath(badName);
    QVERIFY(!list.setFolder(bad));
    QVERIFY2(list.errorString().contains(bad), qPrintable(list.errorString()));
    QCOMPARE(list.folder(), good);
    QCOMPARE(list.names(), QStringList{QStringLiteral("one.txt")});
}

void TestTextFolderList::lockedFolderCannotBeRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    QVERIFY(touch(locked + QStringLiteral("/hidden-from-us.txt")));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));

    TextFolderList list(dir.path());
    bool accepted = true;
    QVERIFY(runWithoutReadOverride([&] { accepted = list.setFolder(locked); }));
    QVERIFY(!accepted);
    QVERIFY2(list.errorString().contains(locked), qPrintable(list.errorString()));
    QCOMPARE(list.folder(), dir.path());
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

QTEST_APPLESS_MAIN(TestTextFolderList)
#include "tst_textfolderlist.moc"
