#include "MainWindow.h"

#include "ui/style/AppIcon.h"
#include "conditions/CallSignConditions.h"
#include "ui/callsign/CallSignPage.h"
#include "plaintext/MemoStore.h"
#include "ui/course/CoursePage.h"
#include "ui/plaintext/PlainTextPage.h"
#include "history/PracticeRecorder.h"
#include "settings/SavedValues.h"
#include "ui/records/RecordsWindow.h"
#include "ui/settings/SettingsPanel.h"
#include "UiDialogs.h"
#include "ui/style/UiFonts.h"
#include "ui/style/WidgetPlacement.h"
#include "WindowSendingView.h"

#include "history/PracticeHistory.h"
#include "keying/RandomInt.h"
#include "sending/MMErrorText.h"
#include "sending/SoundOutput.h"

#include <QGuiApplication>
#include <QLabel>
#include <QKeySequence>
#include <QScreen>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

// The sound output's own words say what failed; the line added tells a user
// on a desktop what it means and what happens next.
QString soundWarningText(const QString &openError)
{
    return openError
        + QStringLiteral("\r\nサウンドサーバー（PulseAudio または PipeWire）が応答しませんでした。"
                         "開始を押すと、もう一度接続を試みます。");
}

} // namespace

TfrmMain::TfrmMain(SoundOutput *output, HttpClient *http, UiDialogs *dialogs, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , hWave_out(output)
    , m_conditions(std::make_unique<CallSignConditions>(*output))
    , m_history(std::make_unique<PracticeHistory>())
{
    createControls(http);
    m_sendingView = std::make_unique<WindowSendingView>(*this, *m_callSignPage, *m_plainTextPage, *m_coursePage);
    connectEvents();
    FormCreate();
    restoreSavedState();
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
}

void TfrmMain::createControls(HttpClient *http)
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
    m_callSignPage = new CallSignPage(http, *m_dialogs);
    m_plainTextPage = new PlainTextPage(*m_dialogs);
    PageControlMode->addTab(m_callSignPage, QStringLiteral("Call Sign 受信"));
    PageControlMode->addTab(m_plainTextPage, QStringLiteral("平文受信"));
    m_coursePage = new CoursePage(*m_dialogs);
    PageControlMode->addTab(m_coursePage, QStringLiteral("コース"));
    // The tab row is empty right of the tabs: the records button goes there,
    // and every other control keeps its place.
    btnRecords = new QToolButton(PageControlMode);
    btnRecords->setObjectName(QStringLiteral("btnRecords"));
    btnRecords->setText(QStringLiteral("成績"));
    btnRecords->setAutoRaise(true);
    btnRecords->setFocusPolicy(Qt::NoFocus);
    PageControlMode->setCornerWidget(btnRecords, Qt::BottomRightCorner);

    grp2 = new SettingsPanel(this);

    btnStart = placed(new QPushButton(QStringLiteral("開始"), this), "btnStart", 537, 308, 82, 67);
    btnStop = placed(new QPushButton(QStringLiteral("停止"), this), "btnStop", 631, 308, 82, 67);
    for (QPushButton *button : {btnStart, btnStop})
        button->setFont(uiFont(UiFace::MeiryoUi, 21));
    btnStart->setToolTip(QStringLiteral("開始 (F9)"));
    btnStop->setToolTip(QStringLiteral("停止 (F10, Esc)"));
    // Window-wide keys; a click on a disabled button does nothing.
    auto *startKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    auto *stopKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    m_escapeStop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(startKey, &QShortcut::activated, btnStart, &QPushButton::click);
    connect(stopKey, &QShortcut::activated, btnStop, &QPushButton::click);
    connect(m_escapeStop, &QShortcut::activated, btnStop, &QPushButton::click);

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

    // The tab page's own controls, then the tabs below them; then the column on
    // the right from the top: the settings, Start and Stop; and round again.
    // The tab bar sits ahead of the pages in the chain: it goes after the last
    // of their controls.
    auto *tabs = PageControlMode->findChild<QTabBar *>();
    QWidget *lastOfPages = tabs;
    while (PageControlMode->isAncestorOf(lastOfPages->nextInFocusChain()))
        lastOfPages = lastOfPages->nextInFocusChain();
    setTabOrder(lastOfPages, tabs);
    grp2->orderTabsBetween(tabs, btnStart);
    setTabOrder(btnStart, btnStop);
}

void TfrmMain::connectEvents()
{
    connect(btnStart, &QPushButton::clicked, this, &TfrmMain::btnStartClick);
    connect(btnStop, &QPushButton::clicked, this, &TfrmMain::btnStopClick);
    connect(m_callSignPage, &CallSignPage::statusChanged, this, &TfrmMain::showStatus);
    connect(m_callSignPage, &CallSignPage::restoreButtonsRequested, this, &TfrmMain::RestoreButtons);
    connect(m_plainTextPage, &PlainTextPage::statusChanged, this, &TfrmMain::showStatus);
    connect(m_plainTextPage, &PlainTextPage::restoreButtonsRequested, this, &TfrmMain::RestoreButtons);
    // Sending goes on with the last ratio that renders every character.
    connect(grp2, &SettingsPanel::ratioAccepted, this, [this](const QString &ratio) {
        if (m_sequencer)
            m_sequencer->setRatioText(ratio);
    });
    connect(m_coursePage, &CoursePage::statusChanged, this, &TfrmMain::showStatus);
    connect(grp2, &SettingsPanel::toneChanged, this, [this] { m_conditions->toneChanged(grp2->keying()); });
    // What is queued ahead is rendered again, so a change is heard at once.
    connect(grp2, &SettingsPanel::keyingChanged, this, [this] {
        if (m_sequencer)
            m_sequencer->keyingChanged();
    });
    // A lesson belongs to the course tab: its text and copy box are there, so
    // leaving the tab while it sounds stops it, unscored.
    connect(PageControlMode, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab != CharacterView::CourseTab && m_coursePage->lessonSounding())
            btnStopClick();
    });
    connect(btnRecords, &QToolButton::clicked, this, &TfrmMain::btnRecordsClick);
    connect(m_history.get(), &PracticeHistory::failed, this, [this](const QString &message) {
        m_dialogs->warning(this, QStringLiteral("警告"), message);
    });
}

void TfrmMain::FormCreate()
{
    m_plainTextPage->clearTicker();
    m_sequencer = std::make_unique<CharacterSequencer>(*hWave_out, *m_sendingView, grp2->keying());
    m_sequencer->setRatioText(grp2->ratioText());
    m_callSignPage->attach(*m_sequencer, *grp2);
    m_plainTextPage->attach(*m_sequencer);
    // A stream that has run out, or a drill that could send no more, leaves
    // the band quiet; between a drill's call signs it goes on.
    connect(m_sequencer.get(), &CharacterSequencer::runEnded, this, [this] {
        if (!m_callSignPage->drill().callSignWaiting())
            m_conditions->end();
    });
    m_coursePage->attach(*m_sequencer, *grp2);
    ReseedRandom();  // before the volume, which draws the sine table's divisor
    grp2->applyStartValues();
    m_callSignPage->FormCreate();
    m_plainTextPage->FormCreate();
    const int result = hWave_out->open(MakePcmFormat());
    if (result != MMSYSERR_NOERROR)
        m_dialogs->warning(nullptr, QStringLiteral("警告"), soundWarningText(OpenErrorMessage(std::uint16_t(result))));
    RestoreButtons();
    stat1Panel0->clear();
    stat1Panel1->clear();
}

void TfrmMain::restoreSavedState()
{
    m_saved = openAppSettings();
    grp2->keepSettingsIn(*m_saved);
    m_callSignPage->keepSettingsIn(*m_saved);
    m_plainTextPage->keepSettingsIn(*m_saved);
    m_coursePage->keepSettingsIn(*m_saved);
    m_plainTextPage->keepMemoIn(MemoStore::defaultPath());
}

bool TfrmMain::restorePosition()
{
    const QPoint saved = m_saved->value(QStringLiteral("window/position")).toPoint();
    if (!m_saved->contains(QStringLiteral("window/position")) || !QGuiApplication::screenAt(saved))
        return false;
    move(saved);
    return true;
}

void TfrmMain::FormDestroy()
{
    m_saved->setValue(QStringLiteral("window/position"), pos());
    // The sequencer's timers go first, so no pause can restart into a closing window.
    m_callSignPage->detach();
    m_plainTextPage->detach();
    m_coursePage->detach();
    m_sequencer.reset();
    if (hWave_out) {
        m_conditions->end();
        hWave_out->close();
    }
}

const KeyingValues &TfrmMain::keying() const { return grp2->keying(); }

QString TfrmMain::statusText(int panel) const
{
    return panel == 0 ? stat1Panel0->text() : stat1Panel1->text();
}

void TfrmMain::showStatus(int panel, const QString &text)
{
    (panel == 0 ? stat1Panel0 : stat1Panel1)->setText(text);
}

// ---- Start and Stop -------------------------------------------------------

void TfrmMain::btnStartClick()
{
    // A ratio that cannot be rendered is refused before anything sounds.
    QString why;
    if (!grp2->ratioRenderable(&why)) {
        m_dialogs->error(this, why);
        return;
    }
    showButtons(true);
    m_callSignPage->setScoreVisible(false);
    if (activeTab() == CharacterView::CallSignTab) {
        m_conditions->begin(m_callSignPage->bandConditions(), grp2->keying(), m_callSignPage->callSigns());
        m_callSignPage->start();
    } else {
        m_conditions->end();
    }
    if (activeTab() == CharacterView::PlainTextTab) {
        m_callSignPage->stop();  // a text takes over: no call sign waits for its answer
        m_plainTextPage->start();
    }
    if (activeTab() == CharacterView::CourseTab) {
        m_callSignPage->stop();
        m_coursePage->start();
    }
}

void TfrmMain::startPlainTextRun()
{
    showSending();
    m_callSignPage->setScoreVisible(false);
    m_plainTextPage->start();
}

void TfrmMain::btnStopClick()
{
    m_conditions->end();
    m_callSignPage->stop();
    m_sequencer->StopMorse();
}

void TfrmMain::RestoreButtons()
{
    m_conditions->end();
    showButtons(false);
}

void TfrmMain::showSending()
{
    showButtons(true);
}

void TfrmMain::showButtons(bool sending)
{
    QPushButton *leaving = sending ? btnStart : btnStop;
    const bool hadFocus = leaving->hasFocus();
    btnStart->setEnabled(!sending);
    btnStop->setEnabled(sending);
    m_escapeStop->setEnabled(sending);
    // Left to itself the focus would move on to the speed box, where typed
    // digits change the speed.
    if (hadFocus)
        typingBox()->setFocus(Qt::OtherFocusReason);
}

QWidget *TfrmMain::typingBox() const
{
    switch (activeTab()) {
    case CharacterView::CallSignTab:
        return m_callSignPage->typingBox();
    case CharacterView::PlainTextTab:
        return m_plainTextPage->typingBox();
    default:
        return m_coursePage->typingBox();
    }
}

void TfrmMain::openHistory(const QString &folder)
{
    m_history->open(folder);
    // The course keeps its progress in the same file, beside the answers.
    m_coursePage->keepProgressIn(*m_history);
    const bool firstHistory = !m_recorder;
    m_recorder = std::make_unique<PracticeRecorder>(*m_history);
    m_callSignPage->recordIn(*m_recorder);
    m_plainTextPage->recordIn(*m_recorder);
    // The end of a run goes to whichever recorder is current: connected once.
    if (firstHistory) {
        connect(m_sequencer.get(), &CharacterSequencer::runEnded, this, [this] {
            m_recorder->soundEnded();
            m_recorder->runEnded(qMax(0, m_sequencer->send_pos - 1));
        });
    }
}

void TfrmMain::btnRecordsClick()
{
    if (!frmRecords)
        frmRecords = new RecordsWindow(*m_history, *m_dialogs, this);
    frmRecords->showRecords();
}

int TfrmMain::activeTab() const { return PageControlMode->currentIndex(); }
void TfrmMain::setStartEnabled(bool enabled)
{
    const bool hadFocus = btnStart->hasFocus();
    btnStart->setEnabled(enabled);
    if (hadFocus && !enabled)
        typingBox()->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::showSoundWarning(const QString &message)
{
    m_dialogs->warning(this, QStringLiteral("警告"), soundWarningText(message));
}
