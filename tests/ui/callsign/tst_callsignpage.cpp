// The call-sign page: the input box, stream listening, reading a list and the drill.
#include "ui/WindowFixture.h"

#include "history/PracticeHistory.h"
#include "ui/style/DarkStyle.h"
#include "ui/callsign/MarkedAnswerDelegate.h"

#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <QVector3D>

#include <algorithm>

class TestCallSignPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { w.make(); }
    void cleanup() { w.window.reset(); }
    void callSignInputBox();
    void streamTickBoxHoldsNormalMode();
    void readListThenDrill();
    void failedReadKeepsTheList();
    void enterWithNothingWaitingDoesNothing();
    void callSignFile_data();
    void callSignFile();
    void noFileWhileThePageIsOnItsWay();
    void repeatKey();
    void wrongCharactersMarked_data();
    void wrongCharactersMarked();
    void editedCellLosesItsMarks();
    void marksShowOnTheSelectedRow();

private:
    // A list of one call sign, Start, and the answer typed and entered.
    QTreeWidgetItem *answerOne(const QString &sent, const QString &typed)
    {
        w.readList(QStringLiteral("<a href=\"%1.log\">%1</a>").arg(sent).toUtf8());
        QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
        QTest::keyClicks(w.child<QLineEdit>("edtCallInput"), typed);
        QTest::keyClick(w.child<QLineEdit>("edtCallInput"), Qt::Key_Return);
        return w.child<QTreeWidget>("lvCallList")->topLevelItem(0);
    }

    WindowFixture w;
};

void TestCallSignPage::callSignInputBox()
{
    auto *box = w.child<QLineEdit>("edtCallInput");
    QTest::keyClicks(box, u"ja1abc/p"_qs);
    QCOMPARE(box->text(), u"JA1ABC/P"_qs);
    QTest::keyClicks(box, u"0123456789abcdef"_qs);
    QCOMPARE(box->text().size(), 20);
}

void TestCallSignPage::streamTickBoxHoldsNormalMode()
{
    w.child<QRadioButton>("rbModeRandom")->setChecked(true);
    w.child<QCheckBox>("chkCallStream")->setChecked(true);
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(!w.child<QRadioButton>("rbModeStep")->isEnabled());
    QVERIFY(!w.child<QRadioButton>("rbModeRandom")->isEnabled());
    QVERIFY(w.child<QLineEdit>("edtCallInput")->isReadOnly());
    w.child<QCheckBox>("chkCallStream")->setChecked(false);
    QVERIFY(w.child<QRadioButton>("rbModeNormal")->isChecked());
    QVERIFY(w.child<QRadioButton>("rbModeStep")->isEnabled());
    QVERIFY(!w.child<QLineEdit>("edtCallInput")->isReadOnly());
}

void TestCallSignPage::readListThenDrill()
{
    auto *read = w.child<QPushButton>("btnCallRead");
    QTest::mouseClick(read, Qt::LeftButton);
    QCOMPARE(read->text(), u"中止"_qs);  // a running read can be cancelled
    QCOMPARE(w.window->statusText(0), u"読込中..."_qs);
    w.http->deliver("<tr><td><a href=\"k1abc.log\">k1abc</a></td></tr>");
    w.http->deliver("<tr><td><a href=\"k1abc.log\">k1abc</a></td></tr>");
    w.http->finish();
    QTRY_COMPARE(read->text(), u"読込"_qs);
    QCOMPARE(w.window->callSignPage().callSigns(), (QStringList{u"K1ABC"_qs, u"K1ABC"_qs}));
    QCOMPARE(w.window->statusText(0), u"CQ World Wide DX Contest : 2局"_qs);

    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(w.window->sequencer().send_text, u"K1ABC"_qs);
    auto *box = w.child<QLineEdit>("edtCallInput");
    QTest::keyClicks(box, u"k1abc"_qs);
    QTest::keyClick(box, Qt::Key_Return);
    auto *list = w.child<QTreeWidget>("lvCallList");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), u"1"_qs);
    QCOMPARE(list->topLevelItem(0)->text(1), u"K1ABC"_qs);
    QCOMPARE(list->topLevelItem(0)->text(3), u"25"_qs);
    QCOMPARE(list->topLevelItem(0)->text(4), u"OK"_qs);
    QCOMPARE(list->currentItem(), list->topLevelItem(0));
    QVERIFY(!w.child<QFrame>("PanelCount")->isHidden());
    QCOMPARE(w.child<QLabel>("LabelCount")->text(), u"1/1 (100%)"_qs);
    QCOMPARE(box->text(), QString());

    // A wrong answer's row stands out from the right ones.
    QTest::keyClicks(box, u"k1abd"_qs);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(list->topLevelItem(1)->text(4), u"NG"_qs);
    for (int column = 0; column < 5; ++column)
        QVERIFY(list->topLevelItem(1)->foreground(column) != list->topLevelItem(0)->foreground(column));
}

void TestCallSignPage::failedReadKeepsTheList()
{
    auto *read = w.child<QPushButton>("btnCallRead");
    w.readList("<a href=\"ja1abc.log\">ja1abc</a>");
    QCOMPARE(w.window->callSignPage().callSigns(), QStringList{u"JA1ABC"_qs});

    // Failed, and cancelled, reads leave the list in use and say so.
    QTest::mouseClick(read, Qt::LeftButton);
    w.http->finish(HttpFailure{HttpFailure::ErrorStatus, 404, {}});
    QTRY_COMPARE(read->text(), u"読込"_qs);
    QCOMPARE(w.dialogs->notices.size(), 1);
    QVERIFY(w.dialogs->notices[0].startsWith(u"ウェブサイトがメンテ中かもしれません。"_qs));
    QVERIFY(w.dialogs->notices[0].contains(u"404"_qs));
    // A filter chosen with a list in use applies at the next read, and says so.
    w.child<QRadioButton>("rbCallJA")->setChecked(!w.child<QRadioButton>("rbCallJA")->isChecked());
    QCOMPARE(w.window->statusText(0), u"DX/JA の切り替えは次の読込から使われます（今のリスト 1局）"_qs);
    QTest::mouseClick(read, Qt::LeftButton);
    w.http->deliver("<a href=\"k1zz.log\">k1zz</a>");
    QTest::mouseClick(read, Qt::LeftButton);  // 中止
    QCOMPARE(read->text(), u"読込"_qs);
    QCOMPARE(w.window->statusText(0), u"CQ World Wide DX Contest : 1局"_qs);
    QCOMPARE(w.dialogs->notices.size(), 1);
    QCOMPARE(w.window->callSignPage().callSigns(), QStringList{u"JA1ABC"_qs});

    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QCOMPARE(w.window->sequencer().send_text, u"JA1ABC"_qs);
}

void TestCallSignPage::enterWithNothingWaitingDoesNothing()
{
    w.readList("<a href=\"ja1abc.log\">ja1abc</a>");
    auto *box = w.child<QLineEdit>("edtCallInput");
    auto *list = w.child<QTreeWidget>("lvCallList");
    const auto enter = [&] {
        QTest::keyClicks(box, u"ja1"_qs);
        QTest::keyClick(box, Qt::Key_Return);
    };
    enter();  // before any Start
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    enter();  // answers the call sign sent
    QCOMPARE(list->topLevelItemCount(), 1);
    QTest::mouseClick(w.child<QPushButton>("btnStop"), Qt::LeftButton);
    w.playAll();
    const int written = int(w.output->written.size());
    enter();  // after Stop
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(w.output->written.size(), written);
    QCOMPARE(box->text(), u"JA1"_qs);
    QVERIFY(w.child<QPushButton>("btnStart")->isEnabled());
    QVERIFY(!w.child<QPushButton>("btnStop")->isEnabled());
}

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

void TestCallSignPage::callSignFile_data()
{
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<bool>("japanOnly");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("notice");

    const QStringList first{u"K1AR"_qs, u"JA1ABC"_qs};
    const QString firstStatus = u"first.scp : 2局"_qs;
    QTest::newRow("a second list replaces the first")
        << QByteArray("w1aw\r\n7k4qok/p\r\nW1AW\r\n") << false << QStringList{u"W1AW"_qs, u"7K4QOK/P"_qs}
        << u"second.txt : 2局"_qs << QString();
    QTest::newRow("JA ticked") << QByteArray("w1aw\n7k4qok/p\n") << true << QStringList{u"7K4QOK/P"_qs}
                               << u"second.txt : 1局"_qs << QString();
    QTest::newRow("an empty file keeps the list") << QByteArray() << false << first << firstStatus
                                                  << u"」は空です。"_qs;
    QTest::newRow("a binary file keeps the list") << QByteArray("\x7f" "ELF\0\1\2", 7) << false << first
                                                  << firstStatus << u"」はテキストファイルではありません。"_qs;
    // JA ticked with the first list in use: said to apply at the next read.
    QTest::newRow("no JA station keeps the list")
        << QByteArray("W1AW\n") << true << first << u"DX/JA の切り替えは次の読込から使われます（今のリスト 2局）"_qs
        << u"」に JA のコールサインがありません。"_qs;
}

// A file chosen beside the read button fills the list the drill draws from;
// one that gives nothing says why and leaves the list as it was.
void TestCallSignPage::callSignFile()
{
    QFETCH(QByteArray, second);
    QFETCH(bool, japanOnly);
    QFETCH(QStringList, calls);
    QFETCH(QString, status);
    QFETCH(QString, notice);

    QTemporaryDir dir;
    auto *file = w.child<QPushButton>("btnCallFile");
    QCOMPARE(file->parent(), w.child<QGroupBox>("GroupBox2"));
    w.dialogs->callSignFileToOpen = writeFile(dir, u"first.scp"_qs, "# list\nK1AR\nja1abc\n");
    QTest::mouseClick(file, Qt::LeftButton);
    QCOMPARE(w.window->callSignPage().callSigns(), (QStringList{u"K1AR"_qs, u"JA1ABC"_qs}));

    w.child<QRadioButton>(japanOnly ? "rbCallJA" : "rbCallDX")->setChecked(true);
    w.dialogs->callSignFileToOpen = writeFile(dir, u"second.txt"_qs, second);
    QTest::mouseClick(file, Qt::LeftButton);
    QCOMPARE(w.window->callSignPage().callSigns(), calls);
    QCOMPARE(w.window->statusText(0), status);
    QCOMPARE(w.dialogs->notices.size(), notice.isEmpty() ? 0 : 1);
    if (!notice.isEmpty())
        QVERIFY2(w.dialogs->notices.first().endsWith(notice), qPrintable(w.dialogs->notices.first()));
    // The dialog opens where the last file was.
    QCOMPARE(w.dialogs->callSignFolders, (QStringList{QString(), dir.path()}));

    // Cancelled: nothing changes.
    w.dialogs->callSignFileToOpen.clear();
    QTest::mouseClick(file, Qt::LeftButton);
    QCOMPARE(w.window->callSignPage().callSigns(), calls);
}

void TestCallSignPage::noFileWhileThePageIsOnItsWay()
{
    QTemporaryDir dir;
    w.dialogs->callSignFileToOpen = writeFile(dir, u"calls.scp"_qs, "k1ar\n");
    // The page's list would replace the file's as soon as it arrived.
    QTest::mouseClick(w.child<QPushButton>("btnCallRead"), Qt::LeftButton);
    QTest::mouseClick(w.child<QPushButton>("btnCallFile"), Qt::LeftButton);
    QCOMPARE(w.dialogs->callSignFolders.size(), 0);
    QCOMPARE(w.dialogs->notices.size(), 1);
    QCOMPARE(w.window->callSignPage().callSigns(), QStringList{});
}

// F2 in the input box plays the call sign once more when it has been heard;
// the answer is timed from the end of the last playing.
void TestCallSignPage::repeatKey()
{
    QTemporaryDir data;
    w.window->openHistory(data.path());
    w.readList("<a href=\"ja1abc.log\">ja1abc</a>");
    auto *box = w.child<QLineEdit>("edtCallInput");
    QCOMPARE(box->toolTip(), u"F2 でもう一度聞く"_qs);
    QTest::mouseClick(w.child<QPushButton>("btnStart"), Qt::LeftButton);
    QTest::keyClicks(box, u"ja1"_qs);
    w.playAll();
    const qsizetype heard = w.output->written.size();
    QTest::keyClick(box, Qt::Key_F2);
    QCOMPARE(w.output->written.size(), heard + 1);  // its first character
    QTest::keyClicks(box, u"abc"_qs);
    QTest::keyClick(box, Qt::Key_Return);         // while the repeat sounds: no time
    QCOMPARE(w.child<QLabel>("LabelCount")->text(), u"1/1 (100%)"_qs);
    w.playAll();
    QTest::keyClick(box, Qt::Key_F2);
    w.playAll();
    QTest::keyClicks(box, u"ja1abc"_qs);
    QTest::keyClick(box, Qt::Key_Return);         // after the repeat was heard
    w.window.reset();

    PracticeHistory history;
    QVERIFY(history.open(data.path()));
    QList<bool> timed;
    QVERIFY(history.readAnswers([&](const AnswerRecord &a) { timed << (a.enterAfterMs >= 0); }));
    QCOMPARE(timed, (QList<bool>{false, true}));
}

void TestCallSignPage::wrongCharactersMarked_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("inputMarks");
    QTest::addColumn<QList<int>>("callMarks");
    QTest::newRow("right: no marks") << u"JA1ABC"_qs << u"ja1abc"_qs << QList<int>{} << QList<int>{};
    QTest::newRow("last copied wrong") << u"JA1ABC"_qs << u"ja1abd"_qs << QList<int>{5} << QList<int>{5};
    QTest::newRow("one missed, one wrong") << u"DL5ABC"_qs << u"DL5XC"_qs << QList<int>{3} << QList<int>{3, 4};
    QTest::newRow("one slipped in") << u"K1ZZ"_qs << u"K1ZZZ"_qs << QList<int>{2} << QList<int>{};
    QTest::newRow("last missed") << u"JA1ABC"_qs << u"JA1AB"_qs << QList<int>{} << QList<int>{5};
    QTest::newRow("nothing copied") << u"W1AW"_qs << QString() << QList<int>{} << QList<int>{0, 1, 2, 3};
}

// An NG row points out, in 入力, what was copied wrong or slipped in and, in
// CALL, what was missed or copied wrong, drawn in gold; an OK row has no marks.
void TestCallSignPage::wrongCharactersMarked()
{
    QFETCH(QString, sent);
    QFETCH(QString, typed);
    QFETCH(QList<int>, inputMarks);
    QFETCH(QList<int>, callMarks);
    const QTreeWidgetItem *row = answerOne(sent, typed);
    QCOMPARE(row->text(2), sent);
    for (int column = 0; column < 5; ++column) {
        const QList<int> expected = column == 1 ? inputMarks : column == 2 ? callMarks : QList<int>{};
        QCOMPARE(row->data(column, kMarkedCharactersRole).value<QList<int>>(), expected);
    }
    auto *list = w.child<QTreeWidget>("lvCallList");
    list->clearSelection();                       // the selection is gold too
    const QImage image = list->grab().toImage();
    int gold = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            gold += image.pixelColor(x, y) == DarkStyle::gold;
    QCOMPARE(gold > 0, !inputMarks.isEmpty() || !callMarks.isEmpty());
}

void TestCallSignPage::editedCellLosesItsMarks()
{
    QTreeWidgetItem *row = answerOne(u"JA1ABC"_qs, u"JA1ABD"_qs);
    auto *list = w.child<QTreeWidget>("lvCallList");
    QLineEdit editor(row->text(1));               // committed unchanged: kept
    list->itemDelegate()->setModelData(&editor, list->model(), list->model()->index(0, 1));
    QCOMPARE(row->data(1, kMarkedCharactersRole).value<QList<int>>(), QList<int>{5});
    editor.setText(u"J"_qs);
    list->itemDelegate()->setModelData(&editor, list->model(), list->model()->index(0, 1));
    QCOMPARE(row->text(1), u"J"_qs);
    QVERIFY(row->data(1, kMarkedCharactersRole).value<QList<int>>().isEmpty());
    QCOMPARE(row->data(2, kMarkedCharactersRole).value<QList<int>>(), QList<int>{5});
}

// The newest row is selected; its marks must stand apart from the selection
// and from the selection's text, whose smoothed edges lie between the two.
void TestCallSignPage::marksShowOnTheSelectedRow()
{
    auto *list = w.child<QTreeWidget>("lvCallList");
    list->setPalette(DarkStyle::darkPalette());
    const QTreeWidgetItem *row = answerOne(u"JA1ABC"_qs, u"ja1abd"_qs);
    QVERIFY(row->isSelected());
    const QImage image = list->viewport()->grab().toImage();
    const QColor ground = list->palette().color(QPalette::Inactive, QPalette::Highlight);
    const QColor ink = list->palette().color(QPalette::Inactive, QPalette::HighlightedText);
    // How far a colour lies from every blend of the selection and its text.
    const auto offBlend = [&](const QColor &c) {
        const QVector3D a(ground.red(), ground.green(), ground.blue());
        const QVector3D b(ink.red(), ink.green(), ink.blue());
        const QVector3D p(c.red(), c.green(), c.blue());
        const float t = std::clamp(QVector3D::dotProduct(p - a, b - a) / (b - a).lengthSquared(), 0.0f, 1.0f);
        return (p - (a + t * (b - a))).length();
    };
    const auto standingOut = [&](int column) {
        const QRect cell = list->visualRect(list->model()->index(0, column));
        int count = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                count += offBlend(image.pixelColor(x, y)) > 60;
        return count;
    };
    QCOMPARE(standingOut(0), 0);     // the number: nothing marked
    QVERIFY(standingOut(1) > 10);    // 入力's last character
    QVERIFY(standingOut(2) > 10);    // CALL's last character
}

QTEST_MAIN(TestCallSignPage)
#include "tst_callsignpage.moc"
