#include "PlainTextPage.h"

#include "plaintext/MemoStore.h"
#include "history/PracticeRecorder.h"
#include "settings/SavedValues.h"
#include "ui/spcode/SpCode.h"
#include "settings/TickCount.h"
#include "ui/window/UiDialogs.h"
#include "ui/style/UiFonts.h"
#include "ui/style/WidgetPlacement.h"

#include "keying/RandomInt.h"
#include "plaintext/PasteFilter.h"
#include "plaintext/RateText.h"
#include "plaintext/SendText.h"
#include "plaintext/TextFile.h"
#include "sending/CharacterSequencer.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The ticker shows only its right end; older characters are kept no longer
// than can possibly be seen.
constexpr int kTickerKeep = 400;

} // namespace

PlainTextPage::PlainTextPage(UiDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TabSheetPlain"));
    setFont(uiFont(UiFace::MsUiGothic, 16));
    createControls();
    connectEvents();
}

void PlainTextPage::createControls()
{
    mmoCharacter = placed(new QPlainTextEdit(QStringLiteral("mmocharacter"), this), "mmoCharacter", 7, 2, 502, 242);
    mmoCharacter->setFont(uiFont(UiFace::MsGothic, 15));
    mmoCharacter->setTabChangesFocus(true);
    mmoCharacter->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoCharacter->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoCharacter->setContextMenuPolicy(Qt::CustomContextMenu);
    mmoCharacter->setToolTip(QStringLiteral("ここに平文(英文又は日本文)を貼り付けて下さい。"));
    QPalette memoPalette = mmoCharacter->palette();
    memoPalette.setColor(QPalette::Base, Qt::black);
    memoPalette.setColor(QPalette::Text, Qt::white);
    mmoCharacter->setPalette(memoPalette);

    Shape1 = placed(new QFrame(this), "Shape1", 7, 255, 502, 31);
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblChar = placed(new QLabel(QStringLiteral("モールス"), this), "lblChar", 14, 263, 488, 16);
    lblChar->setFont(uiFont(UiFace::MsGothic, 16, true));
    lblChar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblChar->setTextFormat(Qt::PlainText);
    setTextColor(lblChar, Qt::white);

    // The substitute face is wider than the laid-out one: the two check boxes
    // get a size smaller and the room up to their neighbours.
    chkMojiPosi = placed(new QCheckBox(QStringLiteral("文字表示のタイミング（モールス送出後）"), this), "chkMojiPosi",
                         21, 298, 231, 17);
    chkTextRandom = placed(new QCheckBox(QStringLiteral("ランダム受信"), this), "chkTextRandom", 253, 294, 89, 25);
    btnReadText = placed(new QPushButton(QStringLiteral("読込"), this), "btnReadText", 348, 295, 52, 24);
    btnClearClick = placed(new QPushButton(QStringLiteral("消去"), this), "btnClearClick", 407, 295, 52, 24);
    btnSpCodeList = placed(new QPushButton(QStringLiteral("？"), this), "btnSpCodeList", 468, 295, 23, 24);
    edtFolder = placed(new QLineEdit(QStringLiteral("edtFolder"), this), "edtFolder", 7, 327, 429, 23);
    edtFolder->setReadOnly(true);
    btnFolderSelect = placed(new QPushButton(QStringLiteral("フォルダ"), this), "btnFolderSelect", 442, 327, 67, 26);
    btnFolderSelect->setToolTip(QStringLiteral("テキストファイルが入っているフォルダを選択して下さい"));
    for (QWidget *w : std::initializer_list<QWidget *>{chkMojiPosi, chkTextRandom, btnReadText, btnClearClick,
                                                       btnSpCodeList, edtFolder, btnFolderSelect})
        w->setFont(uiFont(UiFace::MeiryoUi, 12));
    chkMojiPosi->setFont(uiFont(UiFace::MeiryoUi, 11));
    chkTextRandom->setFont(uiFont(UiFace::MeiryoUi, 11));

    setTabOrder(mmoCharacter, btnSpCodeList);
    setTabOrder(btnSpCodeList, chkTextRandom);
    setTabOrder(chkTextRandom, btnClearClick);
    setTabOrder(btnClearClick, btnReadText);
    setTabOrder(btnReadText, btnFolderSelect);
    setTabOrder(btnFolderSelect, edtFolder);
    setTabOrder(edtFolder, chkMojiPosi);

    tmrPerMinute = new QTimer(this);
    tmrPerMinute->setObjectName(QStringLiteral("tmrPerMinute"));
    tmrPerMinute->setInterval(3000);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    QAction *mniN1 = pm1->addAction(QStringLiteral("貼り付け"), this, &PlainTextPage::mniN1Click);
    mniN1->setObjectName(QStringLiteral("mniN1"));
    QAction *mniN2 = pm1->addAction(QStringLiteral("貼り付け（漢字除外）"), this, &PlainTextPage::mniN2Click);
    mniN2->setObjectName(QStringLiteral("mniN2"));

    frmSpCode = new TfrmSpCode(this);
    frmSpCode->setObjectName(QStringLiteral("frmSpCode"));
}

void PlainTextPage::connectEvents()
{
    connect(btnSpCodeList, &QPushButton::clicked, this, &PlainTextPage::btnSpCodeListClick);
    connect(chkTextRandom, &QCheckBox::toggled, this, &PlainTextPage::chkTextRandomClick);
    connect(btnClearClick, &QPushButton::clicked, this, &PlainTextPage::btnClearClickClick);
    connect(btnReadText, &QPushButton::clicked, this, &PlainTextPage::btnReadTextClick);
    connect(btnFolderSelect, &QPushButton::clicked, this, &PlainTextPage::btnFolderSelectClick);
    connect(mmoCharacter, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        pm1->popup(mmoCharacter->viewport()->mapToGlobal(at));
    });
    connect(tmrPerMinute, &QTimer::timeout, this, &PlainTextPage::tmrPerMinuteTimer);
}

void PlainTextPage::attach(CharacterSequencer &sequencer) { m_sequencer = &sequencer; }
void PlainTextPage::detach()
{
    m_sequencer = nullptr;
    if (m_memo)
        m_memo->flush();
}

void PlainTextPage::FormCreate()
{
    mmoCharacter->clear();
    edtFolder->hide();
    btnFolderSelect->hide();
    fllstMorseText = TextFolderList(QDir::currentPath());
    edtFolder->setText(QDir::toNativeSeparators(QDir::currentPath() + u'/'));
    tmrPerMinute->stop();
    tmrPerMinute->setInterval(2000);
}

void PlainTextPage::keepSettingsIn(QSettings &settings)
{
    m_saved = &settings;
    chkMojiPosi->setChecked(savedBool(settings, QStringLiteral("text/tickerAfterSending"), false));
    const QString folder = settings.value(QStringLiteral("text/randomFolder")).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir() && fllstMorseText.setFolder(folder))
        edtFolder->setText(QDir::toNativeSeparators(folder));
    connect(chkMojiPosi, &QCheckBox::toggled, this,
            [this](bool after) { m_saved->setValue(QStringLiteral("text/tickerAfterSending"), after); });
}

void PlainTextPage::keepMemoIn(const QString &path)
{
    m_memo = new MemoStore(path, [this] { return memoText(); }, this);
    const QString saved = m_memo->load();
    if (!saved.isEmpty())
        setMemoText(saved);
    connect(mmoCharacter, &QPlainTextEdit::textChanged, m_memo, &MemoStore::edited);
}

QString PlainTextPage::memoText() const
{
    return mmoCharacter->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

QWidget *PlainTextPage::typingBox() const { return mmoCharacter; }

void PlainTextPage::setMemoText(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mmoCharacter->setPlainText(lines);
}

void PlainTextPage::start()
{
    if (chkTextRandom->isChecked()) {
        ReseedRandom();
        if (fllstMorseText.count() == 0) {
            m_dialogs.notice(window(), QStringLiteral("テキストファイルがありません！"));
            emit restoreButtonsRequested();
            return;
        }
        mmoCharacter->clear();
        const QString name = fllstMorseText.name(RandomInt(fllstMorseText.count()));
        emit statusChanged(0, name);
        m_source = name;
        const TextFileResult file = loadTextFile(fllstMorseText.filePath(name));
        if (!file.ok()) {
            showError(file.errorMessage());
            return;
        }
        setMemoText(file.text);
    }
    m_sequencer->send_pos = 1;
    lblChar->clear();
    const QString text = joinLines(memoText());
    if (text.isEmpty()) {
        emit restoreButtonsRequested();
        return;
    }
    start_tick = tickCount();
    text_chars = 0;
    tmrPerMinute->start();
    m_sequencer->send_text = replaceBracketNotations(text);
    if (m_recorder)
        m_recorder->runStarted(RunRecord::PlainText, chkTextRandom->isChecked() ? m_source : QStringLiteral("memo"));
    const QString error = m_sequencer->StartMorse();
    if (!error.isEmpty())
        showError(error);
}

// ---- Handlers ---------------------------------------------------------------

void PlainTextPage::tmrPerMinuteTimer()
{
    emit statusChanged(1, formatRate(text_chars, start_tick, tickCount(), QLocale()));
}

void PlainTextPage::btnSpCodeListClick()
{
    frmSpCode->exec();
}

void PlainTextPage::chkTextRandomClick()
{
    const bool random = chkTextRandom->isChecked();
    edtFolder->setVisible(random);
    btnFolderSelect->setVisible(random);
    if (!random && m_sequencer)
        m_sequencer->cancelRestart();
}

void PlainTextPage::btnClearClickClick()
{
    mmoCharacter->clear();
}

void PlainTextPage::btnReadTextClick()
{
    const QString path = m_dialogs.openTextFile(window(), m_openDialogFolder);
    if (path.isEmpty())
        return;
    // The memo keeps the user's text until the new file has really been read.
    if (!QFileInfo::exists(path)) {
        showError(QStringLiteral("ファイルが読めませんでした"));
        return;
    }
    const TextFileResult file = loadTextFile(path);
    if (!file.ok()) {
        showError(file.errorMessage());
        return;
    }
    setMemoText(file.text);
    m_openDialogFolder = QFileInfo(path).absolutePath();
}

void PlainTextPage::btnFolderSelectClick()
{
    const QString folder = m_dialogs.chooseFolder(window());
    if (folder.isEmpty())
        return;
    edtFolder->setText(QDir::toNativeSeparators(folder));
    if (!fllstMorseText.setFolder(QDir::fromNativeSeparators(edtFolder->text())))
        showError(fllstMorseText.errorString());
    else if (m_saved)
        m_saved->setValue(QStringLiteral("text/randomFolder"), QDir::fromNativeSeparators(edtFolder->text()));
}

void PlainTextPage::pasteIntoMemo(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mmoCharacter->textCursor().insertText(lines);
}

void PlainTextPage::mniN1Click()
{
    // The clipboard's text counts up to its first NUL.
    const QString text = m_dialogs.clipboardText();
    pasteIntoMemo(text.left(text.indexOf(QChar(0))));
}

void PlainTextPage::mniN2Click()
{
    pasteIntoMemo(filterPasteText(m_dialogs.clipboardText()));
}

// ---- What the sequencer shows and asks -------------------------------------

bool PlainTextPage::tickerAfterSending() const { return chkMojiPosi->isChecked(); }
void PlainTextPage::setTickerVisible(bool visible) { lblChar->setVisible(visible); }

void PlainTextPage::appendTicker(QChar c)
{
    QString text = lblChar->text() + c;
    if (text.size() > kTickerKeep)
        text = text.right(kTickerKeep);
    lblChar->setText(text);
}

void PlainTextPage::clearTicker() { lblChar->clear(); }
void PlainTextPage::countTextChar() { ++text_chars; }

void PlainTextPage::plainTextRunEnded()
{
    emit statusChanged(1, QString());
    tmrPerMinute->stop();
}

void PlainTextPage::plainTextStopped()
{
    chkTextRandom->setChecked(false);
    emit statusChanged(0, QString());
    emit statusChanged(1, QString());
    tmrPerMinute->stop();
}

bool PlainTextPage::randomFileTicked() const { return chkTextRandom->isChecked(); }
void PlainTextPage::showError(const QString &message) { m_dialogs.error(window(), message); }
