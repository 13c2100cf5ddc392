#include "CallSignPage.h"

#include "ConditionsButton.h"
#include "MarkedAnswerDelegate.h"
#include "history/PracticeRecorder.h"
#include "settings/SavedValues.h"
#include "ui/settings/SettingsPanel.h"
#include "ui/window/UiDialogs.h"
#include "ui/style/UiFonts.h"
#include "ui/style/WidgetPlacement.h"

#include "calllist/CallListAddress.h"
#include "calllist/CallListTexts.h"
#include "callsign/CallSignFile.h"
#include "calllist/CallSignListReader.h"
#include "marking/CopyMarks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

// A wrong answer's row, in a red that reads well on the dark list.
const QColor kWrongAnswerColor(0xFF, 0x6B, 0x5E);

} // namespace

CallSignPage::CallSignPage(HttpClient *http, UiDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_reader(new CallSignListReader(http, this))
{
    setObjectName(QStringLiteral("TabSheetCall"));
    setFont(uiFont(UiFace::MsUiGothic, 16));
    createControls();
    connectEvents();
}

CallSignPage::~CallSignPage() = default;

void CallSignPage::createControls()
{
    lvCallList = placed(new QTreeWidget(this), "lvCallList", 5, 7, 502, 206);
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
    lvCallList->setItemDelegate(new MarkedAnswerDelegate(lvCallList));

    edtCallInput = placed(new QLineEdit(this), "edtCallInput", 33, 306, 219, 38);
    edtCallInput->setFont(uiFont(UiFace::MeiryoUi, 24, true));
    edtCallInput->setMaxLength(20);
    setTextColor(edtCallInput, Qt::yellow);
    edtCallInput->setToolTip(QStringLiteral("F2 でもう一度聞く"));

    GroupBox2 = placed(new QGroupBox(QStringLiteral(" Call Sign 読み込み "), this), "GroupBox2", 5, 219, 246, 75);
    GroupBox2->setFont(uiFont(UiFace::MsUiGothic, 13));
    rbCallDX = placed(new QRadioButton(QStringLiteral("DX"), GroupBox2), "rbCallDX", 11, 20, 40, 17);
    rbCallJA = placed(new QRadioButton(QStringLiteral("JA"), GroupBox2), "rbCallJA", 63, 20, 41, 17);
    rbCallDX->setChecked(true);
    cbbCallList = placed(new QComboBox(GroupBox2), "cbbCallList", 10, 42, 165, 25);
    cbbCallList->setEditable(true);
    cbbCallList->setInsertPolicy(QComboBox::NoInsert);
    for (int index = 0; index < callListYearCount(); ++index)
        cbbCallList->addItem(callListEntryText(index));
    btnCallRead = placed(new QPushButton(QStringLiteral("読込"), GroupBox2), "btnCallRead", 182, 39, 54, 30);
    btnCallRead->setToolTip(QStringLiteral("CQ World Wide DX Contest"));
    for (QWidget *w : std::initializer_list<QWidget *>{rbCallDX, rbCallJA, cbbCallList})
        w->setFont(uiFont(UiFace::MeiryoUi, 13));
    btnCallRead->setFont(uiFont(UiFace::MeiryoUi, 15));
    // In the free corner right of the filter buttons, lined up with 読込.
    btnCallFile = placed(new QPushButton(QStringLiteral("ファイル…"), GroupBox2), "btnCallFile", 146, 18, 90, 20);
    btnCallFile->setFont(uiFont(UiFace::MeiryoUi, 12));

    GroupBox1 = placed(new QGroupBox(QStringLiteral(" 練習モード "), this), "GroupBox1", 261, 219, 246, 75);
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
    btnConditions = placed(new ConditionsButton(GroupBox1), "btnConditions", 164, 45, 76, 22);
    btnConditions->setFont(uiFont(UiFace::MeiryoUi, 12));

    PanelCount = placed(new QFrame(this), "PanelCount", 290, 308, 185, 35);
    PanelCount->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelCount->setLineWidth(2);
    LabelCount = placed(new QLabel(QStringLiteral("COUNT"), PanelCount), "LabelCount", 0, 0, 185, 35);
    LabelCount->setAlignment(Qt::AlignCenter);
    LabelCount->setFont(uiFont(UiFace::MeiryoUi, 19, true));
    setTextColor(LabelCount, QColor(0xC0, 0xC0, 0xC0));

    // Tab goes as the page reads: the list, the reading group row by row, the
    // practice group, then the answer box. A row of radio buttons is one stop.
    const QList<QWidget *> order = {lvCallList,   rbCallDX,   rbCallJA,     btnCallFile,   cbbCallList,
                                    btnCallRead,  rbModeNormal, rbModeStep, rbModeRandom, chkCallStream,
                                    btnConditions, edtCallInput};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CallSignPage::connectEvents()
{
    edtCallInput->installEventFilter(this);
    connect(edtCallInput, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edtCallInput->cursorPosition();
            edtCallInput->setText(upper);
            edtCallInput->setCursorPosition(cursor);
        }
    });
    connect(chkCallStream, &QCheckBox::toggled, this, &CallSignPage::chkCallStreamClick);
    connect(btnCallRead, &QPushButton::clicked, this, &CallSignPage::btnCallReadClick);
    connect(btnCallFile, &QPushButton::clicked, this, &CallSignPage::btnCallFileClick);
    connect(m_reader, &CallSignListReader::progress, this, [this](qint64 bytes) {
        emit statusChanged(0, callListProgressText(bytes));
    });
    connect(m_reader, &CallSignListReader::finished, this, &CallSignPage::callListRead);
    connect(m_reader, &CallSignListReader::failed, this, &CallSignPage::callListFailed);
}

void CallSignPage::attach(CharacterSequencer &sequencer, SettingsPanel &settings)
{
    m_settings = &settings;
    m_drill = std::make_unique<CallSignDrill>(*this, sequencer);
}

void CallSignPage::detach()
{
    m_reader->abort();
    m_drill.reset();
}

void CallSignPage::FormCreate()
{
    cbbCallList->setCurrentIndex(0);
    PanelCount->hide();
}

void CallSignPage::keepSettingsIn(QSettings &settings)
{
    const QList<QRadioButton *> modes = {rbModeNormal, rbModeStep, rbModeRandom};
    const QStringList names = modeNames();
    const QStringList filterNames = {QStringLiteral("DX"), QStringLiteral("JA")};
    QStringList years;
    for (int i = 0; i < cbbCallList->count(); ++i)
        years << cbbCallList->itemText(i);

    modes[savedChoice(settings, QStringLiteral("drill/mode"), names, 0)]->setChecked(true);
    (savedChoice(settings, QStringLiteral("drill/filter"), filterNames, 0) == 1 ? rbCallJA : rbCallDX)
        ->setChecked(true);
    cbbCallList->setCurrentIndex(savedChoice(settings, QStringLiteral("drill/year"), years, 0));
    chkCallStream->setChecked(savedBool(settings, QStringLiteral("drill/stream"), false));
    btnConditions->keepSettingsIn(settings);

    // The list of the year and filter last chosen, kept from its last read, so
    // Start works at once, also offline.
    m_lists.select(callListYearAt(cbbCallList->currentIndex()),
                   rbCallJA->isChecked() ? CallSignFilter::JA : CallSignFilter::DX);
    if (const CallListFallback::Outcome kept = m_lists.kept(); kept.callSigns) {
        lstCallSign = *kept.callSigns;
        emit statusChanged(0, kept.statusText);
    }

    QSettings *saved = &settings;
    for (int i = 0; i < modes.size(); ++i) {
        connect(modes[i], &QRadioButton::toggled, this, [saved, name = names[i]](bool on) {
            if (on)
                saved->setValue(QStringLiteral("drill/mode"), name);
        });
    }
    connect(rbCallJA, &QRadioButton::toggled, this, [this, saved](bool ja) {
        saved->setValue(QStringLiteral("drill/filter"), ja ? QStringLiteral("JA") : QStringLiteral("DX"));
        // The list in use was read with the other choice: said, not hidden.
        if (!lstCallSign.isEmpty())
            emit statusChanged(0, QStringLiteral("DX/JA の切り替えは次の読込から使われます（今のリスト %1局）")
                                      .arg(lstCallSign.size()));
    });
    connect(cbbCallList, &QComboBox::currentTextChanged, this, [this, saved](const QString &text) {
        if (cbbCallList->findText(text, Qt::MatchExactly) >= 0)
            saved->setValue(QStringLiteral("drill/year"), text);
    });
    connect(chkCallStream, &QCheckBox::toggled, this,
            [saved](bool stream) { saved->setValue(QStringLiteral("drill/stream"), stream); });
}

void CallSignPage::start()
{
    if (m_recorder) {
        m_recorder->soundStarted();
        if (chkCallStream->isChecked())
            m_recorder->runStarted(RunRecord::Stream, QStringLiteral("stream"));
    }
    m_drill->start(lstCallSign);
}

BandConditions CallSignPage::bandConditions() const { return btnConditions->conditions(); }

void CallSignPage::stop()
{
    m_drill->stop();
}

// ---- Handlers ---------------------------------------------------------------

bool CallSignPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edtCallInput && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return edtCallInputKeyPress(QChar(u'\r'));
        if (key->key() == Qt::Key_F2) {
            // Heard once more: the answer is timed from the end of this sounding.
            if (m_drill->repeat() && m_recorder)
                m_recorder->soundStarted();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CallSignPage::edtCallInputKeyPress(QChar key)
{
    if (key != u'\r')
        return false;
    return m_drill->answer(lstCallSign);
}

void CallSignPage::chkCallStreamClick()
{
    const bool stream = chkCallStream->isChecked();
    if (stream)
        rbModeNormal->setChecked(true);
    rbModeStep->setEnabled(!stream);
    rbModeRandom->setEnabled(!stream);
    edtCallInput->setReadOnly(stream);
}

void CallSignPage::btnCallReadClick()
{
    if (m_reader->isRunning()) {
        // 中止: the list loaded before stays, as if nothing had been asked.
        m_reader->abort();
        showReadIdle();
        return;
    }
    btnCallRead->setText(QStringLiteral("中止"));
    emit statusChanged(0, callListReadingText());
    // A year typed into the box rather than chosen names no page.
    const int index = cbbCallList->findText(cbbCallList->currentText(), Qt::MatchExactly);
    const CallSignFilter filter = rbCallJA->isChecked() ? CallSignFilter::JA : CallSignFilter::DX;
    m_lists.select(callListYearAt(index), filter);
    m_reader->start(index, filter);
}

void CallSignPage::btnCallFileClick()
{
    // The page's list would replace the file's as soon as it arrived.
    if (m_reader->isRunning()) {
        showNotice(QStringLiteral("ウェブサイトから読込中です。読込が終わるか中止してから、ファイルを選んでください。"));
        return;
    }
    const QString path = m_dialogs.openCallSignFile(window(), m_callFileFolder);
    if (path.isEmpty())
        return;
    m_callFileFolder = QFileInfo(path).absolutePath();
    const CallSignFileResult file = loadCallSignFile(path, rbCallJA->isChecked() ? CallSignFilter::JA
                                                                                : CallSignFilter::DX);
    // A file that gives nothing leaves the list the drill has.
    if (!file.ok) {
        showNotice(file.error);
        return;
    }
    lstCallSign = file.callSigns;
    emit statusChanged(0, callSignFileCountText(file.fileName, lstCallSign.size()));
}

void CallSignPage::callListRead(const QStringList &callSigns)
{
    m_lists.readSucceeded(callSigns);
    lstCallSign = callSigns;
    showReadIdle();
    if (lstCallSign.isEmpty())
        showNotice(callListMaintenanceText());
}

void CallSignPage::callListFailed(const QString &reason)
{
    showReadIdle();
    const CallListFallback::Outcome outcome = m_lists.readFailed(reason);
    if (outcome.callSigns) {
        lstCallSign = *outcome.callSigns;
        emit statusChanged(0, outcome.statusText);
    }
    showNotice(outcome.noticeText);
}

void CallSignPage::showReadIdle()
{
    btnCallRead->setText(QStringLiteral("読込"));
    emit statusChanged(0, callListCountText(lstCallSign.size()));
}

// ---- What the sequencer and the drill see ----------------------------------

bool CallSignPage::callStreamTicked() const { return chkCallStream->isChecked(); }
QString CallSignPage::callInputText() const { return edtCallInput->text(); }
void CallSignPage::setCallInputText(const QString &text) { edtCallInput->setText(text); }
QWidget *CallSignPage::typingBox() const { return edtCallInput; }

DrillView::Mode CallSignPage::practiceMode() const
{
    if (rbModeStep->isChecked())
        return StepMode;
    if (rbModeRandom->isChecked())
        return RandomMode;
    return NormalMode;
}

int CallSignPage::appendResultRow(const DrillAnswer &answer)
{
    const int number = lvCallList->topLevelItemCount() + 1;
    if (m_recorder) {
        // Recorded now, before the drill moves on to the next call sign and keying.
        m_recorder->answered(
            {QDateTime(), answer.callSign, answer.answer, answer.wpm, answer.pitchHz, answer.mode, answer.correct});
    }
    const QString &input = answer.answer;
    const QString &call = answer.callSign;
    auto *row = new QTreeWidgetItem(
        {QString::number(number), input, call, answer.speedText, verdictName(answer.correct)});
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    if (!answer.correct) {
        for (int column = 0; column < row->columnCount(); ++column)
            row->setForeground(column, kWrongAnswerColor);
        const CopyMarks marks = markCopyErrors(call, input);
        row->setData(1, kMarkedCharactersRole, QVariant::fromValue(marks.copied));
        row->setData(2, kMarkedCharactersRole, QVariant::fromValue(marks.sent));
    }
    lvCallList->addTopLevelItem(row);
    return number;
}

void CallSignPage::clearResults() { lvCallList->clear(); }

void CallSignPage::selectLastResultRow()
{
    const int count = lvCallList->topLevelItemCount();
    if (count == 0)
        return;
    QTreeWidgetItem *last = lvCallList->topLevelItem(count - 1);
    lvCallList->setCurrentItem(last);
    lvCallList->scrollToItem(last);
}

void CallSignPage::showScore(const QString &text) { LabelCount->setText(text); }
void CallSignPage::setScoreVisible(bool visible) { PanelCount->setVisible(visible); }
QString CallSignPage::speedText() const { return m_settings->speedText(); }
int CallSignPage::speedPosition() const { return m_settings->speedPosition(); }
int CallSignPage::pitchHz() const { return m_settings->keying().freq; }
void CallSignPage::setSpeedPosition(int wpm) { m_settings->setSpeedPosition(wpm); }
void CallSignPage::setPitchPosition(int hz) { m_settings->setPitchPosition(hz); }
void CallSignPage::clearCallInput() { edtCallInput->clear(); }
void CallSignPage::focusCallInput() { edtCallInput->setFocus(); }
void CallSignPage::showNotice(const QString &text) { m_dialogs.notice(window(), text); }
void CallSignPage::showError(const QString &text) { m_dialogs.error(window(), text); }
void CallSignPage::restoreButtons() { emit restoreButtonsRequested(); }
