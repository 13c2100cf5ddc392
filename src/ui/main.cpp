#include "main.h"

#include "SpCode.h"
#include "UiDialogs.h"
#include "UiFonts.h"
#include "UpDownSpinner.h"
#include "AppIcon.h"

#include "callsign/CallListTexts.h"
#include "callsign/CallSignListReader.h"
#include "callsign/HttpClient.h"
#include "keying/RandomInt.h"
#include "keying/RatioCheck.h"
#include "plaintext/PasteFilter.h"
#include "plaintext/RateText.h"
#include "plaintext/SendText.h"
#include "plaintext/TextFile.h"
#include "sending/MMErrorText.h"
#include "sending/SoundOutput.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The ticker shows only its right end; older characters are kept no longer
// than can possibly be seen.
constexpr int kTickerKeep = 400;

// A wrapping 32-bit millisecond tick count.
quint32 tickCount()
{
    static QElapsedTimer clock = [] { QElapsedTimer t; t.start(); return t; }();
    return quint32(clock.elapsed());
}

template <typename T>
T *placed(T *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height)
{
    return placed(new QLabel(text, parent), name, left, top, width, height);
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

const QStringList kSpacingEntries = {
    QStringLiteral("3 短点 (標準)"), QStringLiteral("4 短点"), QStringLiteral("5 短点"),
    QStringLiteral("6 短点 (標準×2)"), QStringLiteral("7 短点"), QStringLiteral("8 短点"),
    QStringLiteral("9 短点 (標準×3)"), QStringLiteral("標準×4"), QStringLiteral("標準×5"),
    QStringLiteral("標準×6"), QStringLiteral("標準×7"), QStringLiteral("標準×8"),
    QStringLiteral("標準×9"), QStringLiteral("標準×10"),
};

} // namespace

TfrmMain::TfrmMain(SoundOutput *output, HttpClient *http, UiDialogs *dialogs, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , hWave_out(output)
    , m_reader(new CallSignListReader(http, this))
{
    createControls();
    connectEvents();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
}

void TfrmMain::createControls()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KEYLARK v.0.72 by TAVRIL"));
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(729, 407);
    setFont(uiFont(UiFace::MsGothic, 13));

    PageControlMode = placed(new QTabWidget(this), "PageControlMode", 0, -1, 521, 387);
    PageControlMode->setTabPosition(QTabWidget::South);
    PageControlMode->setFont(uiFont(UiFace::MeiryoUi, 13));
    TabSheetCall = new QWidget;
    TabSheetCall->setObjectName(QStringLiteral("TabSheetCall"));
    TabSheetCall->setFont(uiFont(UiFace::MsUiGothic, 16));
    TabSheetPlain = new QWidget;
    TabSheetPlain->setObjectName(QStringLiteral("TabSheetPlain"));
    TabSheetPlain->setFont(uiFont(UiFace::MsUiGothic, 16));
    PageControlMode->addTab(TabSheetCall, QStringLiteral("Call Sign 受信"));
    PageControlMode->addTab(TabSheetPlain, QStringLiteral("平文受信"));
    createCallSignTab(TabSheetCall);
    createPlainTextTab(TabSheetPlain);

    createSettingsGroup();

    btnStart = placed(new QPushButton(QStringLiteral("開始"), this), "btnStart", 537, 308, 82, 67);
    btnStop = placed(new QPushButton(QStringLiteral("停止"), this), "btnStop", 631, 308, 82, 67);
    for (QPushButton *button : {btnStart, btnStop})
        button->setFont(uiFont(UiFace::MeiryoUi, 21));

    stat1 = placed(new QStatusBar(this), "stat1", 0, 388, 729, 19);
    stat1->setSizeGripEnabled(false);
    stat1Panel0 = new QLabel(stat1);
    stat1Panel0->setObjectName(QStringLiteral("stat1Panel0"));
    stat1Panel0->setFixedWidth(600);
    stat1Panel1 = new QLabel(stat1);
    stat1Panel1->setObjectName(QStringLiteral("stat1Panel1"));
    stat1Panel1->setFixedWidth(100);
    stat1Panel1->setAlignment(Qt::AlignCenter);
    stat1->addWidget(stat1Panel0);
    stat1->addWidget(stat1Panel1);

    tmrPerMinute = new QTimer(this);
    tmrPerMinute->setObjectName(QStringLiteral("tmrPerMinute"));
    tmrPerMinute->setInterval(3000);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    QAction *mniN1 = pm1->addAction(QStringLiteral("貼り付け"), this, &TfrmMain::mniN1Click);
    mniN1->setObjectName(QStringLiteral("mniN1"));
    QAction *mniN2 = pm1->addAction(QStringLiteral("貼り付け（漢字除外）"), this, &TfrmMain::mniN2Click);
    mniN2->setObjectName(QStringLiteral("mniN2"));

    frmSpCode = new TfrmSpCode(this);
    frmSpCode->setObjectName(QStringLiteral("frmSpCode"));

    setTabOrder(btnStart, btnStop);
    setTabOrder(btnStop, edtSpeed);
    setTabOrder(edtSpeed, edtPitch);
    setTabOrder(edtPitch, cbbSpacing);
    setTabOrder(cbbSpacing, tbVolume);
    setTabOrder(tbVolume, edtRatio);
    setTabOrder(edtRatio, PageControlMode);
}

void TfrmMain::createSettingsGroup()
{
    grp2 = placed(new QGroupBox(QStringLiteral("設定"), this), "grp2", 527, 8, 194, 289);
    grp2->setFont(uiFont(UiFace::MeiryoUi, 13));

    label(grp2, "lbl1", QStringLiteral("速度："), 16, 30, 39, 17);
    edtSpeed = placed(new QLineEdit(grp2), "edtSpeed", 72, 27, 57, 25);
    edtSpeed->setReadOnly(true);
    udSpeed = placed(new UpDownSpinner(10, 60, 1, 25, grp2), "udSpeed", 129, 27, 16, 25);
    udSpeed->attachTo(edtSpeed);
    label(grp2, "lbl2", QStringLiteral("wpm"), 150, 30, 31, 17);

    label(grp2, "lbl3", QStringLiteral("周波数："), 16, 66, 52, 17);
    edtPitch = placed(new QLineEdit(QStringLiteral("700"), grp2), "edtPitch", 72, 63, 57, 25);
    edtPitch->setReadOnly(true);
    udPitch = placed(new UpDownSpinner(400, 1500, 10, 700, grp2), "udPitch", 129, 63, 17, 25);
    udPitch->listenTo(edtPitch);
    label(grp2, "lbl4", QStringLiteral("Hz"), 150, 66, 17, 17);

    label(grp2, "lbl5", QStringLiteral("スペース："), 16, 102, 55, 17);
    cbbSpacing = placed(new QComboBox(grp2), "cbbSpacing", 72, 101, 114, 23);
    cbbSpacing->setFont(uiFont(UiFace::MeiryoUi, 12));
    cbbSpacing->setEditable(true);
    cbbSpacing->setInsertPolicy(QComboBox::NoInsert);
    cbbSpacing->addItems(kSpacingEntries);
    cbbSpacing->setCurrentIndex(0);

    label(grp2, "lbl6", QStringLiteral("音量："), 16, 138, 39, 17);
    tbVolume = placed(new QSlider(Qt::Horizontal, grp2), "tbVolume", 61, 134, 127, 31);
    tbVolume->setRange(0, 8);
    tbVolume->setValue(4);
    tbVolume->setTickPosition(QSlider::TicksBelow);
    tbVolume->setTickInterval(2);
    tbVolume->setPageStep(1);

    label(grp2, "lbl9", QStringLiteral("符号比率：　1："), 16, 226, 95, 17)->setFont(uiFont(UiFace::MeiryoUi, 11));
    edtRatio = placed(new QLineEdit(grp2), "edtRatio", 99, 223, 30, 25);
    ud1 = placed(new UpDownSpinner(2, 10, 1, 3, grp2), "ud1", 129, 223, 16, 25);
    ud1->attachTo(edtRatio);
}

void TfrmMain::createCallSignTab(QWidget *page)
{
    lvCallList = placed(new QTreeWidget(page), "lvCallList", 5, 7, 502, 206);
    lvCallList->setFont(uiFont(UiFace::MeiryoUi, 12));
    lvCallList->setRootIsDecorated(false);
    lvCallList->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvCallList->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    lvCallList->setHeaderLabels({QStringLiteral("No."), QStringLiteral("入力"), QStringLiteral("CALL"),
                                 QStringLiteral("速度"), QStringLiteral("判定")});
    const int widths[] = {50, 150, 150, 50, 50};
    for (int column = 0; column < 5; ++column)
        lvCallList->setColumnWidth(column, widths[column]);
    lvCallList->header()->setSectionResizeMode(QHeaderView::Fixed);
    lvCallList->header()->setStretchLastSection(false);

    edtCallInput = placed(new QLineEdit(page), "edtCallInput", 33, 306, 219, 38);
    edtCallInput->setFont(uiFont(UiFace::MeiryoUi, 24, true));
    edtCallInput->setMaxLength(20);
    setTextColor(edtCallInput, Qt::yellow);

    GroupBox2 = placed(new QGroupBox(QStringLiteral(" Call Sign 読み込み "), page), "GroupBox2", 5, 219, 246, 75);
    GroupBox2->setFont(uiFont(UiFace::MsUiGothic, 13));
    rbCallDX = placed(new QRadioButton(QStringLiteral("DX"), GroupBox2), "rbCallDX", 11, 20, 40, 17);
    rbCallJA = placed(new QRadioButton(QStringLiteral("JA"), GroupBox2), "rbCallJA", 63, 20, 41, 17);
    rbCallDX->setChecked(true);
    cbbCallList = placed(new QComboBox(GroupBox2), "cbbCallList", 10, 42, 165, 25);
    cbbCallList->setEditable(true);
    cbbCallList->setInsertPolicy(QComboBox::NoInsert);
    for (int year = 2017; year >= 2009; --year)
        cbbCallList->addItem(QStringLiteral("%1 CQ WW DX CW").arg(year));
    btnCallRead = placed(new QPushButton(QStringLiteral("読込"), GroupBox2), "btnCallRead", 182, 39, 54, 30);
    btnCallRead->setToolTip(QStringLiteral("CQ World Wide DX Contest"));
    for (QWidget *w : std::initializer_list<QWidget *>{rbCallDX, rbCallJA, cbbCallList})
        w->setFont(uiFont(UiFace::MeiryoUi, 13));
    btnCallRead->setFont(uiFont(UiFace::MeiryoUi, 15));

    GroupBox1 = placed(new QGroupBox(QStringLiteral(" 練習モード "), page), "GroupBox1", 261, 219, 246, 75);
    GroupBox1->setFont(uiFont(UiFace::MeiryoUi, 13));
    // The substitute face is wider than the laid-out one: the captions get the
    // room up to the next button.
    rbModeNormal = placed(new QRadioButton(QStringLiteral("ノーマル"), GroupBox1), "rbModeNormal", 13, 20, 80, 17);
    rbModeStep = placed(new QRadioButton(QStringLiteral("ステップ"), GroupBox1), "rbModeStep", 94, 20, 73, 17);
    rbModeRandom = placed(new QRadioButton(QStringLiteral("ランダム"), GroupBox1), "rbModeRandom", 168, 20, 76, 17);
    for (QRadioButton *mode : {rbModeNormal, rbModeStep, rbModeRandom})
        mode->setFont(uiFont(UiFace::MeiryoUi, 12));
    rbModeNormal->setChecked(true);
    rbModeStep->setToolTip(QStringLiteral("１０回連続で正解すると速度＋１"));
    rbModeRandom->setToolTip(QStringLiteral("速度と周波数がランダムで変化"));
    chkCallStream = placed(new QCheckBox(QStringLiteral("Call Sign 流し聞き"), GroupBox1), "chkCallStream",
                           13, 45, 148, 22);

    PanelCount = placed(new QFrame(page), "PanelCount", 290, 308, 185, 35);
    PanelCount->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelCount->setLineWidth(2);
    LabelCount = placed(new QLabel(QStringLiteral("COUNT"), PanelCount), "LabelCount", 0, 0, 185, 35);
    LabelCount->setAlignment(Qt::AlignCenter);
    LabelCount->setFont(uiFont(UiFace::MeiryoUi, 19, true));
    setTextColor(LabelCount, QColor(0xC0, 0xC0, 0xC0));

    setTabOrder(lvCallList, edtCallInput);
    setTabOrder(edtCallInput, chkCallStream);
    setTabOrder(chkCallStream, rbModeNormal);
    setTabOrder(rbModeNormal, btnCallRead);
    setTabOrder(btnCallRead, cbbCallList);
    setTabOrder(cbbCallList, rbCallDX);
}

void TfrmMain::createPlainTextTab(QWidget *page)
{
    mmoCharacter = placed(new QPlainTextEdit(QStringLiteral("mmocharacter"), page), "mmoCharacter", 7, 2, 502, 242);
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

    Shape1 = placed(new QFrame(page), "Shape1", 7, 255, 502, 31);
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblChar = placed(new QLabel(QStringLiteral("モールス"), page), "lblChar", 14, 263, 488, 16);
    lblChar->setFont(uiFont(UiFace::MsGothic, 16, true));
    lblChar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblChar->setTextFormat(Qt::PlainText);
    setTextColor(lblChar, Qt::white);

    // The substitute face is wider than the laid-out one: the two check boxes
    // get a size smaller and the room up to their neighbours.
    chkMojiPosi = placed(new QCheckBox(QStringLiteral("文字表示のタイミング（モールス送出後）"), page), "chkMojiPosi",
                         21, 298, 231, 17);
    chkTextRandom = placed(new QCheckBox(QStringLiteral("ランダム受信"), page), "chkTextRandom", 253, 294, 89, 25);
    btnReadText = placed(new QPushButton(QStringLiteral("読込"), page), "btnReadText", 348, 295, 52, 24);
    btnClearClick = placed(new QPushButton(QStringLiteral("消去"), page), "btnClearClick", 407, 295, 52, 24);
    btnSpCodeList = placed(new QPushButton(QStringLiteral("？"), page), "btnSpCodeList", 468, 295, 23, 24);
    edtFolder = placed(new QLineEdit(QStringLiteral("edtFolder"), page), "edtFolder", 7, 327, 429, 23);
    edtFolder->setReadOnly(true);
    btnFolderSelect = placed(new QPushButton(QStringLiteral("フォルダ"), page), "btnFolderSelect", 442, 327, 67, 26);
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
}

void TfrmMain::connectEvents()
{
    connect(btnStart, &QPushButton::clicked, this, &TfrmMain::btnStartClick);
    connect(btnStop, &QPushButton::clicked, this, &TfrmMain::btnStopClick);
    connect(edtSpeed, &QLineEdit::textChanged, this, &TfrmMain::edtSpeedChange);
    connect(udPitch, &UpDownSpinner::changing, this, &TfrmMain::udPitchChanging);
    connect(tbVolume, &QSlider::valueChanged, this, &TfrmMain::tbVolumeChange);
    connect(cbbSpacing, &QComboBox::currentIndexChanged, this, &TfrmMain::cbbSpacingChange);
    connect(cbbSpacing, &QComboBox::editTextChanged, this, [this](const QString &text) {
        // Typed text that matches an entry selects it; anything else selects none.
        const int index = cbbSpacing->findText(text);
        if (index != cbbSpacing->currentIndex() && index >= 0)
            cbbSpacing->setCurrentIndex(index);
    });
    edtCallInput->installEventFilter(this);
    connect(edtCallInput, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edtCallInput->cursorPosition();
            edtCallInput->setText(upper);
            edtCallInput->setCursorPosition(cursor);
        }
    });
    connect(chkCallStream, &QCheckBox::toggled, this, &TfrmMain::chkCallStreamClick);
    connect(btnCallRead, &QPushButton::clicked, this, &TfrmMain::btnCallReadClick);
    connect(btnSpCodeList, &QPushButton::clicked, this, &TfrmMain::btnSpCodeListClick);
    connect(chkTextRandom, &QCheckBox::toggled, this, &TfrmMain::chkTextRandomClick);
    connect(btnClearClick, &QPushButton::clicked, this, &TfrmMain::btnClearClickClick);
    connect(btnReadText, &QPushButton::clicked, this, &TfrmMain::btnReadTextClick);
    connect(btnFolderSelect, &QPushButton::clicked, this, &TfrmMain::btnFolderSelectClick);
    connect(mmoCharacter, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        pm1->popup(mmoCharacter->viewport()->mapToGlobal(at));
    });
    connect(tmrPerMinute, &QTimer::timeout, this, &TfrmMain::tmrPerMinuteTimer);
    // Sending goes on with the last ratio that renders every character.
    connect(edtRatio, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_sequencer && RatioRenderable(text))
            m_sequencer->setRatioText(text);
    });
    connect(m_reader, &CallSignListReader::progress, this, [this](qint64 bytes) {
        stat1Panel0->setText(CallListProgressText(bytes));
    });
    connect(m_reader, &CallSignListReader::finished, this, &TfrmMain::callListRead);
    connect(m_reader, &CallSignListReader::failed, this, [this] { callListRead({}); });
}

void TfrmMain::FormCreate()
{
    lblChar->clear();
    sine_table = std::make_unique<TSineTable>();
    m_keying.sine_table = sine_table.get();
    m_sequencer = std::make_unique<CharacterSequencer>(*hWave_out, *this, m_keying);
    m_drill = std::make_unique<CallSignDrill>(*this, *m_sequencer);
    mmoCharacter->clear();
    ReseedRandom();  // before the sine table, which draws its divisor
    m_keying.freq = 700;
    edtSpeedChange();
    cbbSpacingChange();
    tbVolumeChange();
    cbbCallList->setCurrentIndex(0);
    m_sequencer->send_text.clear();
    m_sequencer->send_pos = 0;
    m_keying.space_extra = 0;
    const int result = hWave_out->open(MakePcmFormat());
    if (result != MMSYSERR_NOERROR)
        m_dialogs->warning(nullptr, QStringLiteral("警告"), OpenErrorMessage(std::uint16_t(result)));
    RestoreButtons();
    stat1Panel0->clear();
    stat1Panel1->clear();
    PanelCount->hide();
    edtFolder->hide();
    btnFolderSelect->hide();
    fllstMorseText = TextFolderList(QDir::currentPath());
    edtFolder->setText(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/'));
    tmrPerMinute->stop();
    tmrPerMinute->setInterval(2000);
}

void TfrmMain::FormDestroy()
{
    m_reader->abort();
    // The sequencer's timers go first, so no pause can restart into a closing window.
    m_drill.reset();
    m_sequencer.reset();
    if (hWave_out)
        hWave_out->close();
}

QString TfrmMain::statusText(int panel) const
{
    return panel == 0 ? stat1Panel0->text() : stat1Panel1->text();
}

QString TfrmMain::memoText() const
{
    return mmoCharacter->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void TfrmMain::setMemoText(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mmoCharacter->setPlainText(lines);
}

// ---- Start and Stop -------------------------------------------------------

void TfrmMain::btnStartClick()
{
    btnStart->setEnabled(false);
    btnStop->setEnabled(true);
    PanelCount->hide();
    if (activeTab() == CallSignTab)
        m_drill->start(lstCallSign);
    if (activeTab() == PlainTextTab)
        startPlainText();
}

void TfrmMain::startPlainText()
{
    if (chkTextRandom->isChecked()) {
        ReseedRandom();
        if (fllstMorseText.count() == 0) {
            showNotice(QStringLiteral("テキストファイルがありません！"));
            RestoreButtons();
            return;
        }
        mmoCharacter->clear();
        const QString name = fllstMorseText.name(RandomInt(fllstMorseText.count()));
        stat1Panel0->setText(name);
        const TextFileResult file = LoadTextFile(fllstMorseText.filePath(name));
        if (!file.ok()) {
            showError(file.errorMessage());
            return;
        }
        setMemoText(file.text);
    }
    m_sequencer->send_pos = 1;
    lblChar->clear();
    const QString text = JoinLines(memoText());
    if (text.isEmpty()) {
        RestoreButtons();
        return;
    }
    start_tick = tickCount();
    text_chars = 0;
    tmrPerMinute->start();
    m_sequencer->send_text = ReplaceBracketNotations(text);
    const QString error = m_sequencer->StartMorse();
    if (!error.isEmpty())
        showError(error);
}

void TfrmMain::btnStopClick()
{
    m_drill->stop();
    m_sequencer->StopMorse();
}

void TfrmMain::RestoreButtons()
{
    btnStart->setEnabled(true);
    btnStop->setEnabled(false);
}

// ---- Keying settings ------------------------------------------------------

void TfrmMain::edtSpeedChange()
{
    m_keying.dot_samples = DotSamplesForSpeed(edtSpeed->text().toInt());
}

void TfrmMain::udPitchChanging(int newPosition)
{
    m_keying.freq = FreqForPitchPosition(newPosition);
    edtPitch->setText(QString::number(m_keying.freq));
}

void TfrmMain::cbbSpacingChange()
{
    m_keying.space_extra = SpaceExtraForIndex(cbbSpacing->currentIndex(), m_keying.space_extra);
}

void TfrmMain::tbVolumeChange()
{
    m_keying.amplitude = MakeSineTable(*sine_table, tbVolume->value());
}

// ---- Call-sign tab --------------------------------------------------------

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edtCallInput && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return edtCallInputKeyPress(QChar(u'\r'));
    }
    return QWidget::eventFilter(watched, event);
}

bool TfrmMain::edtCallInputKeyPress(QChar key)
{
    if (key != u'\r')
        return false;
    return m_drill->answer(lstCallSign);
}

void TfrmMain::chkCallStreamClick()
{
    const bool stream = chkCallStream->isChecked();
    if (stream)
        rbModeNormal->setChecked(true);
    rbModeStep->setEnabled(!stream);
    rbModeRandom->setEnabled(!stream);
    edtCallInput->setReadOnly(stream);
}

void TfrmMain::btnCallReadClick()
{
    btnCallRead->setEnabled(false);
    stat1Panel0->setText(CallListReadingText());
    // A year typed into the box rather than chosen names no page.
    const int index = cbbCallList->findText(cbbCallList->currentText(), Qt::MatchExactly);
    m_reader->start(index, rbCallJA->isChecked() ? CallSignFilter::JA : CallSignFilter::DX);
}

void TfrmMain::callListRead(const QStringList &callSigns)
{
    lstCallSign = callSigns;
    stat1Panel0->setText(CallListCountText(lstCallSign.size()));
    btnCallRead->setEnabled(true);
    if (lstCallSign.isEmpty())
        showNotice(CallListMaintenanceText());
}

// ---- Plain-text tab -------------------------------------------------------

void TfrmMain::tmrPerMinuteTimer()
{
    stat1Panel1->setText(FormatRate(text_chars, start_tick, tickCount(), QLocale()));
}

void TfrmMain::btnSpCodeListClick()
{
    frmSpCode->exec();
}

void TfrmMain::chkTextRandomClick()
{
    const bool random = chkTextRandom->isChecked();
    edtFolder->setVisible(random);
    btnFolderSelect->setVisible(random);
    if (!random && m_sequencer)
        m_sequencer->cancelRestart();
}

void TfrmMain::btnClearClickClick()
{
    mmoCharacter->clear();
}

void TfrmMain::btnReadTextClick()
{
    const QString path = m_dialogs->openTextFile(this, m_openDialogFolder);
    if (path.isEmpty())
        return;
    m_openDialogFolder = QCoreApplication::applicationDirPath().trimmed();
    // The memo keeps the user's text until the new file has really been read.
    if (!QFileInfo::exists(path)) {
        showError(QStringLiteral("ファイルが読めませんでした"));
        return;
    }
    const TextFileResult file = LoadTextFile(path);
    if (!file.ok()) {
        showError(file.errorMessage());
        return;
    }
    setMemoText(file.text);
}

void TfrmMain::btnFolderSelectClick()
{
    const QString folder = m_dialogs->chooseFolder(this);
    if (folder.isEmpty())
        return;
    edtFolder->setText(QDir::toNativeSeparators(folder));
    if (!fllstMorseText.setFolder(QDir::fromNativeSeparators(edtFolder->text())))
        showError(fllstMorseText.errorString());
}

void TfrmMain::pasteIntoMemo(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mmoCharacter->textCursor().insertText(lines);
}

void TfrmMain::mniN1Click()
{
    // The clipboard's text counts up to its first NUL.
    const QString text = m_dialogs->clipboardText();
    pasteIntoMemo(text.left(text.indexOf(QChar(0))));
}

void TfrmMain::mniN2Click()
{
    pasteIntoMemo(FilterPasteText(m_dialogs->clipboardText()));
}

// ---- What the sequencer and the drill see ---------------------------------

int TfrmMain::activeTab() const { return PageControlMode->currentIndex(); }
bool TfrmMain::callStreamTicked() const { return chkCallStream->isChecked(); }
bool TfrmMain::tickerAfterSending() const { return chkMojiPosi->isChecked(); }
QString TfrmMain::callInputText() const { return edtCallInput->text(); }
void TfrmMain::setCallInputText(const QString &text) { edtCallInput->setText(text); }
void TfrmMain::setTickerVisible(bool visible) { lblChar->setVisible(visible); }

void TfrmMain::appendTicker(QChar c)
{
    QString text = lblChar->text() + c;
    if (text.size() > kTickerKeep)
        text = text.right(kTickerKeep);
    lblChar->setText(text);
}

void TfrmMain::countTextChar() { ++text_chars; }
void TfrmMain::restoreButtons() { RestoreButtons(); }
void TfrmMain::setStartEnabled(bool enabled) { btnStart->setEnabled(enabled); }
void TfrmMain::showSending()
{
    btnStart->setEnabled(false);
    btnStop->setEnabled(true);
}
void TfrmMain::clearTicker() { lblChar->clear(); }

void TfrmMain::plainTextRunEnded()
{
    stat1Panel1->clear();
    tmrPerMinute->stop();
}

void TfrmMain::plainTextStopped()
{
    chkTextRandom->setChecked(false);
    stat1Panel0->clear();
    stat1Panel1->clear();
    tmrPerMinute->stop();
}

bool TfrmMain::randomFileTicked() const { return chkTextRandom->isChecked(); }
void TfrmMain::startClicked() { btnStartClick(); }
void TfrmMain::showError(const QString &message) { m_dialogs->error(this, message); }

void TfrmMain::showSoundWarning(const QString &message)
{
    m_dialogs->warning(this, QStringLiteral("警告"), message);
}

DrillView::Mode TfrmMain::practiceMode() const
{
    if (rbModeStep->isChecked())
        return StepMode;
    if (rbModeRandom->isChecked())
        return RandomMode;
    return NormalMode;
}

int TfrmMain::appendResultRow(const QString &input, const QString &call, const QString &speed,
                              const QString &verdict)
{
    const int number = lvCallList->topLevelItemCount() + 1;
    auto *row = new QTreeWidgetItem({QString::number(number), input, call, speed, verdict});
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    lvCallList->addTopLevelItem(row);
    return number;
}

void TfrmMain::clearResults() { lvCallList->clear(); }

void TfrmMain::selectLastResultRow()
{
    const int count = lvCallList->topLevelItemCount();
    if (count == 0)
        return;
    QTreeWidgetItem *last = lvCallList->topLevelItem(count - 1);
    lvCallList->setCurrentItem(last);
    lvCallList->scrollToItem(last);
}

void TfrmMain::showScore(const QString &text) { LabelCount->setText(text); }
void TfrmMain::setScoreVisible(bool visible) { PanelCount->setVisible(visible); }
QString TfrmMain::speedText() const { return edtSpeed->text(); }
int TfrmMain::speedPosition() const { return udSpeed->position(); }
void TfrmMain::setSpeedPosition(int wpm) { udSpeed->setPosition(wpm); }
void TfrmMain::setPitchPosition(int hz) { udPitch->setPosition(hz); }
void TfrmMain::clearCallInput() { edtCallInput->clear(); }
void TfrmMain::focusCallInput() { edtCallInput->setFocus(); }
void TfrmMain::showNotice(const QString &text) { m_dialogs->notice(this, text); }
