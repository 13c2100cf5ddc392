// Files that fight back (one far too large, one of binary bytes, one that
// vanishes before it is read, a folder that cannot be read, a huge paste) and
// random-file mode over a folder for a long while.
#include "E2eSession.h"
#include "ProcessFigures.h"

#include "plaintext/SendText.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace e2e {
namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
            QStringLiteral("cannot write %1").arg(path));
}

// Start, let it sound a while, Stop, and require the window back at idle.
void startAndStop(Session &s, const char *what)
{
    report((QByteArray(what) + "_start_ms").constData(), s.timed([&] { s.window->btnStartClick(); }));
    QTest::qWait(1200);
    s.window->btnStopClick();
    require(waitFor([&] { return s.idle(); }, 8000),
            QStringLiteral("%1: Stop did not return to idle").arg(QLatin1String(what)));
}

int hugeFile(const Options &o)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("huge.txt"));
    const qint64 megabytes = o.number("megabytes", 50);
    {
        const QByteArray line = "CQ CQ DE JA1ABC JA1ABC K [AR] \xE3\x81\x82\xE3\x81\x84\n";
        QFile file(path);
        require(file.open(QIODevice::WriteOnly), QStringLiteral("cannot write the big file"));
        const QByteArray block = line.repeated(int(1024 * 1024 / line.size()) + 1).left(1024 * 1024);
        for (qint64 i = 0; i < megabytes; ++i)
            file.write(block);
    }
    report("file_bytes", QFileInfo(path).size());

    Session s(o);
    s.selectTab(kPlainTextTab);
    s.window->plainTextPage().setMemoText(QStringLiteral("USER TEXT"));
    s.dialogs->fileToOpen = path;
    const qint64 loadMs = s.timed([&] { s.window->plainTextPage().btnReadTextClick(); });
    report("load_ms", loadMs);
    s.reportDialogs();
    const qsizetype memoChars = s.window->plainTextPage().memoText().size();
    report("memo_chars", memoChars);
    const bool loaded = memoChars > megabytes * 1000 * 1000 / 2;
    require(loaded || (!s.dialogs->errors.isEmpty() && s.window->plainTextPage().memoText() == QLatin1String("USER TEXT")),
            QStringLiteral("neither loaded nor refused with the user's text kept"));
    report("outcome", loaded ? QStringLiteral("loaded") : QStringLiteral("refused"));
    startAndStop(s, "huge");
    report("rss_kb", ProcessFigures::residentKilobytes());
    s.requireResponsive();
    s.closeWindow();
    return 0;
}

int binaryFile(const Options &o)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("binary.txt"));
    QByteArray bytes(256 * 1024, '\0');
    QRandomGenerator random(12345);
    for (char &b : bytes)
        b = char(random.bounded(256));
    writeFile(path, bytes);

    Session s(o);
    s.selectTab(kPlainTextTab);
    s.dialogs->fileToOpen = path;
    report("load_ms", s.timed([&] { s.window->plainTextPage().btnReadTextClick(); }));
    s.reportDialogs();
    const QString memo = s.window->plainTextPage().memoText();
    report("memo_chars", memo.size());
    require(s.dialogs->errors.isEmpty(), QStringLiteral("a binary file is still a file: it loads"));
    require(memo.contains(QChar(0xFFFD)), QStringLiteral("undecodable bytes did not become U+FFFD"));
    startAndStop(s, "binary");
    s.requireResponsive();
    s.closeWindow();
    return 0;
}

int vanishedFile(const Options &o)
{
    QTemporaryDir folder;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        writeFile(folder.filePath(QLatin1String(name)), "CQ TEST\n");

    Session s(o);
    s.selectTab(kPlainTextTab);
    s.window->plainTextPage().setMemoText(QStringLiteral("USER TEXT"));
    s.dialogs->folderToChoose = folder.path();
    s.child<QCheckBox>("chkTextRandom")->setChecked(true);
    s.window->plainTextPage().btnFolderSelectClick();
    require(s.window->plainTextPage().folderList().count() == 3, QStringLiteral("the folder list did not see the files"));
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        QFile::remove(folder.filePath(QLatin1String(name)));

    s.window->btnStartClick();
    s.reportDialogs();
    report("status0", s.window->statusText(0));
    require(s.dialogs->errors.size() == 1, QStringLiteral("no error box for the vanished file"));
    require(s.dialogs->errors.first().contains(folder.path()), QStringLiteral("the error box lacks the path"));
    require(!s.keyDown() && !s.startEnabled() && s.stopEnabled(),
            QStringLiteral("after the failed pick Start must stay disabled and Stop enabled"));
    s.window->btnStopClick();
    require(s.idle() && !s.stopEnabled(), QStringLiteral("Stop did not return to idle"));
    require(!s.child<QCheckBox>("chkTextRandom")->isChecked(), QStringLiteral("Stop left random mode ticked"));
    s.requireResponsive();
    s.closeWindow();
    return 0;
}

int unreadableFolder(const Options &o)
{
    QTemporaryDir base;
    const QString locked = base.filePath(QStringLiteral("locked"));
    const QString lockedFiles = base.filePath(QStringLiteral("lockedfiles"));
    QDir().mkpath(locked);
    QDir().mkpath(lockedFiles);
    writeFile(locked + QStringLiteral("/a.txt"), "CQ\n");
    writeFile(lockedFiles + QStringLiteral("/a.txt"), "CQ\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QFile::setPermissions(lockedFiles + QStringLiteral("/a.txt"), QFileDevice::Permissions());
    // Whatever happens, the temporary folder must be removable again.
    const std::unique_ptr<const QString, void (*)(const QString *)> unlock(&locked, [](const QString *path) {
        QFile::setPermissions(*path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    if (!QDir(locked).entryList(QDir::Files).isEmpty()) {
        report("skip", QStringLiteral("permission bits do not stop this user (run it without "
                                      "CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH)"));
        return 77;
    }
    // Nothing to pick where the program starts, so the outcome does not
    // depend on the caller's folder.
    QTemporaryDir empty;
    QDir::setCurrent(empty.path());

    Session s(o);
    s.selectTab(kPlainTextTab);
    s.child<QCheckBox>("chkTextRandom")->setChecked(true);
    s.dialogs->folderToChoose = locked;
    s.window->plainTextPage().btnFolderSelectClick();
    report("folder_error", s.dialogs->errors.value(0));
    require(s.dialogs->errors.size() == 1, QStringLiteral("no error box for the unreadable folder"));
    s.window->btnStartClick();
    report("notices", s.dialogs->notices.join(QLatin1Char('|')));
    require(s.dialogs->notices == QStringList{QStringLiteral("テキストファイルがありません！")},
            QStringLiteral("Start after the refused folder did not find the list empty"));
    require(s.idle(), QStringLiteral("not idle after the empty-list notice"));

    // A folder that lists but whose file cannot be read.
    s.dialogs->folderToChoose = lockedFiles;
    s.window->plainTextPage().btnFolderSelectClick();
    require(s.window->plainTextPage().folderList().count() == 1, QStringLiteral("the readable folder did not list"));
    s.window->btnStartClick();
    report("file_error", s.dialogs->errors.value(1));
    require(s.dialogs->errors.size() == 2, QStringLiteral("no error box for the unreadable file"));
    s.window->btnStopClick();
    require(s.idle(), QStringLiteral("Stop did not return to idle"));
    s.requireResponsive();
    s.closeWindow();
    return 0;
}

int bigPaste(const Options &o)
{
    // Each unit keeps, through the filtered paste, its Latin letters, digits,
    // kana and the line break, and loses the spaces and the kanji.
    const QString unit = QStringLiteral("CQ DE JA1ABC あいう 漢字\n");
    const QString keptUnit = QStringLiteral("CQDEJA1ABCあいう\n");
    const int units = 1024 * 1024 / int(unit.size());

    Session s(o);
    s.selectTab(kPlainTextTab);
    s.dialogs->clipboard = unit.repeated(units);
    s.window->plainTextPage().btnClearClickClick();
    report("plain_paste_ms", s.timed([&] { s.window->plainTextPage().mniN1Click(); }));
    QString expected = unit.repeated(units);
    expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    require(s.window->plainTextPage().memoText() == expected, QStringLiteral("the plain paste changed the text"));

    s.window->plainTextPage().btnClearClickClick();
    report("filtered_paste_ms", s.timed([&] { s.window->plainTextPage().mniN2Click(); }));
    expected = keptUnit.repeated(units);
    expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    require(s.window->plainTextPage().memoText() == expected, QStringLiteral("the filtered paste kept the wrong characters"));
    report("memo_chars", s.window->plainTextPage().memoText().size());
    startAndStop(s, "paste");
    report("longest_gap_ms", s.watch.longestGapMs());
    s.closeWindow();
    return 0;
}

// ---- Soak -----------------------------------------------------------------

// Random-file mode over a folder for a while: memory, file handles, and every
// file heard in full.
int soak(const Options &o)
{
    const QString folder = o.text("folder");
    const qint64 seconds = o.number("seconds", 600);
    require(!folder.isEmpty(), QStringLiteral("--folder missing"));

    Session s(o);
    QHash<QString, QString> expected;  // what each file must sound as
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        require(file.open(QIODevice::ReadOnly), QStringLiteral("cannot read %1").arg(name));
        expected.insert(name, prepareSendText(QString::fromUtf8(file.readAll())));
    }

    int heard = 0;
    QObject::connect(s.output, &SoundOutput::finished, s.window.get(), [&heard] { ++heard; });

    s.selectTab(kPlainTextTab);
    s.dialogs->folderToChoose = folder;
    s.child<QCheckBox>("chkTextRandom")->setChecked(true);
    s.window->plainTextPage().btnFolderSelectClick();
    s.window->btnStartClick();

    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    int complete = 0;
    QStringList order;
    qint64 nextSample = 0;
    while (true) {
        // One file: from its start to the pause after it.
        const QString name = s.window->statusText(0);
        const QString sending = s.window->sequencer().send_text;
        heard = 0;
        require(s.keyDown(), QStringLiteral("random-file mode did not start %1").arg(name));
        require(waitFor([&] { return s.window->sequencer().restartPending(); }, 120000),
                QStringLiteral("%1 did not end").arg(name));
        ++runs;
        order << name;
        const bool whole = sending == expected.value(name) && heard == sending.size();
        complete += whole ? 1 : 0;
        if (!whole)
            report("incomplete", QStringLiteral("%1 heard %2 of %3").arg(name).arg(heard).arg(sending.size()));
        if (clock.elapsed() >= nextSample) {
            report("sample", QStringLiteral("t=%1s rss_kb=%2 fds=%3")
                                 .arg(clock.elapsed() / 1000)
                                 .arg(ProcessFigures::residentKilobytes())
                                 .arg(ProcessFigures::openFiles()));
            nextSample += 60000;
        }
        if (clock.elapsed() >= seconds * 1000)
            break;
        require(waitFor([&] { return s.keyDown(); }, 5000), QStringLiteral("no restart after the pause"));
    }
    report("runs", runs);
    report("complete", complete);
    report("order", order.join(QLatin1Char(' ')));
    report("end", QStringLiteral("rss_kb=%1 fds=%2").arg(ProcessFigures::residentKilobytes()).arg(ProcessFigures::openFiles()));
    report("longest_gap_ms", s.watch.longestGapMs());
    s.reportDialogs();
    require(complete == runs, QStringLiteral("%1 of %2 files incomplete").arg(runs - complete).arg(runs));
    // Ends in the pause, so the recording holds whole files only.
    s.closeWindow();
    s.settleAfterClose(2500);
    return 0;
}

} // namespace

void addFileScenarios(QHash<QString, Scenario> &scenarios)
{
    scenarios.insert(QStringLiteral("huge-file"), hugeFile);
    scenarios.insert(QStringLiteral("binary-file"), binaryFile);
    scenarios.insert(QStringLiteral("vanished-file"), vanishedFile);
    scenarios.insert(QStringLiteral("unreadable-folder"), unreadableFolder);
    scenarios.insert(QStringLiteral("big-paste"), bigPaste);
    scenarios.insert(QStringLiteral("soak"), soak);
}

} // namespace e2e
