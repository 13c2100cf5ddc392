#include "CoursePage.h"

#include "course/CourseResultText.h"
#include "course/LessonText.h"
#include "history/PracticeHistory.h"
#include "plaintext/RateText.h"
#include "sending/CharacterSequencer.h"
#include "settings/SavedValues.h"
#include "settings/TickCount.h"
#include "ui/settings/SettingsPanel.h"
#include "ui/style/UiFonts.h"
#include "ui/style/WidgetPlacement.h"
#include "ui/window/UiDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kTickerKeep = 400;
constexpr int kRateIntervalMs = 2000;
// The learner is still typing the last group when its sound ends.
constexpr int kLastTypingMs = 2500;
constexpr int kDefaultWpm = 20;
// Characters listed under the copy, worst first.
constexpr int kAccuracyShown = 8;
// Hearing the lesson while reading it on the ticker teaches nothing, so the
// ticker shows one mark per character until the learner asks for the text.
constexpr QChar kHiddenCharacter = u'・';
// The result box under the copy box, and over both once a copy is scored.
constexpr QRect kResultAlone(7, 200, 502, 104);
constexpr QRect kResultWithCopy(7, 124, 502, 180);
// The document's margins and a scroll bar's width, in pixels.
constexpr int kResultMargin = 30;
const QString kNotScored = QStringLiteral("このレッスンは採点しません");


} // namespace

CoursePage::CoursePage(UiDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TabSheetCourse"));
    setFont(uiFont(UiFace::MsUiGothic, 16));
    createControls();
    connectEvents();
    fillLessons();
}

void CoursePage::createControls()
{
    placedLabel(this, "lblCourse", QStringLiteral("コース"), 7, 9, 42, 17);
    cbbCourse = placed(new QComboBox(this), "cbbCourse", 50, 6, 84, 23);
    cbbCourse->addItems({QStringLiteral("欧文"), QStringLiteral("和文")});
    placedLabel(this, "lblLesson", QStringLiteral("レッスン"), 144, 9, 52, 17);
    cbbLesson = placed(new QComboBox(this), "cbbLesson", 198, 6, 150, 23);
    placedLabel(this, "lblCourseMinutes", QStringLiteral("時間"), 358, 9, 30, 17);
    cbbCourseMinutes = placed(new QComboBox(this), "cbbCourseMinutes", 390, 6, 60, 23);
    for (int minutes = 1; minutes <= 5; ++minutes)
        cbbCourseMinutes->addItem(QStringLiteral("%1 分").arg(minutes), minutes);

    placedLabel(this, "lblCourseSpeed", QStringLiteral("文字速度"), 7, 37, 56, 17);
    cbbCourseSpeed = placed(new QComboBox(this), "cbbCourseSpeed", 64, 34, 70, 23);
    for (int wpm = 10; wpm <= 60; ++wpm)
        cbbCourseSpeed->addItem(QStringLiteral("%1 wpm").arg(wpm), wpm);
    cbbCourseSpeed->setCurrentIndex(kDefaultWpm - 10);
    lblCourseEffective = placedLabel(this, "lblCourseEffective", QString(), 144, 37, 250, 17);
    chkCourseShowChars = placed(new QCheckBox(QStringLiteral("文字を表示"), this), "chkCourseShowChars",
                                404, 36, 105, 19);

    lblLessonChars = placedLabel(this, "lblLessonChars", QString(), 7, 62, 502, 20);
    lblLessonChars->setTextFormat(Qt::RichText);

    shpCourseTicker = placed(new QFrame(this), "shpCourseTicker", 7, 86, 502, 31);
    shpCourseTicker->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblCourseChar = placed(new QLabel(this), "lblCourseChar", 14, 94, 488, 16);
    lblCourseChar->setFont(uiFont(UiFace::MsGothic, 16, true));
    lblCourseChar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCourseChar->setTextFormat(Qt::PlainText);
    setTextColor(lblCourseChar, Qt::white);

    mmoCourseCopy = placed(new QPlainTextEdit(this), "mmoCourseCopy", 7, 124, 502, 70);
    mmoCourseCopy->setFont(uiFont(UiFace::MsGothic, 15));
    mmoCourseCopy->setTabChangesFocus(true);
    mmoCourseCopy->setPlaceholderText(QStringLiteral("聞こえた文字をここに入力（かな・カナどちらでも、[AR] のような括弧も可）"));
    mmoCourseCopy->setAttribute(Qt::WA_InputMethodEnabled, true);
    QPalette copyPalette = mmoCourseCopy->palette();
    copyPalette.setColor(QPalette::Base, Qt::black);
    copyPalette.setColor(QPalette::Text, Qt::white);
    mmoCourseCopy->setPalette(copyPalette);

    txtCourseResult = placed(new QTextBrowser(this), "txtCourseResult", 7, 200, 502, 104);
    txtCourseResult->setFont(uiFont(UiFace::MsGothic, 13));
    txtCourseResult->setOpenLinks(false);
    txtCourseResult->setLineWrapMode(QTextEdit::NoWrap);

    lblCourseScore = placedLabel(this, "lblCourseScore", QString(), 7, 308, 502, 20);
    lblCourseAccuracy = placedLabel(this, "lblCourseAccuracy", QString(), 7, 330, 502, 18);
    lblCourseAccuracy->setFont(uiFont(UiFace::MeiryoUi, 12));

    for (QWidget *w : std::initializer_list<QWidget *>{cbbCourse, cbbLesson, cbbCourseMinutes, cbbCourseSpeed,
                                                       lblCourseEffective, chkCourseShowChars})
        w->setFont(uiFont(UiFace::MeiryoUi, 12));
    for (const char *name : {"lblCourse", "lblLesson", "lblCourseMinutes", "lblCourseSpeed"})
        findChild<QLabel *>(QLatin1String(name))->setFont(uiFont(UiFace::MeiryoUi, 12));

    tmrCoursePerMinute = new QTimer(this);
    tmrCoursePerMinute->setObjectName(QStringLiteral("tmrCoursePerMinute"));
    tmrCoursePerMinute->setInterval(kRateIntervalMs);
    tmrCourseScore = new QTimer(this);
    tmrCourseScore->setObjectName(QStringLiteral("tmrCourseScore"));
    tmrCourseScore->setSingleShot(true);
    tmrCourseScore->setInterval(kLastTypingMs);
}

void CoursePage::connectEvents()
{
    connect(cbbCourse, &QComboBox::currentIndexChanged, this, &CoursePage::fillLessons);
    connect(cbbCourse, &QComboBox::currentIndexChanged, this, &CoursePage::clearResult);  // the other code's
    connect(cbbLesson, &QComboBox::currentIndexChanged, this, &CoursePage::showLessonCharacters);
    connect(cbbCourseSpeed, &QComboBox::currentIndexChanged, this, &CoursePage::showEffectiveSpeed);
    connect(chkCourseShowChars, &QCheckBox::toggled, this, [this] {
        appendTicker(QChar());  // shows the ticker's text anew, hidden or not
    });
    connect(tmrCoursePerMinute, &QTimer::timeout, this, &CoursePage::rateTimer);
    connect(tmrCourseScore, &QTimer::timeout, this, &CoursePage::scoreCopy);
}

void CoursePage::attach(CharacterSequencer &sequencer, SettingsPanel &settings)
{
    m_sequencer = &sequencer;
    m_settings = &settings;
    connect(&settings, &SettingsPanel::spacingChanged, this, &CoursePage::showEffectiveSpeed);
    showEffectiveSpeed();
}

void CoursePage::detach()
{
    tmrCourseScore->stop();
    tmrCoursePerMinute->stop();
    if (m_settings)
        m_settings->sendAtSetSpeed();
    m_sequencer = nullptr;
}

void CoursePage::keepProgressIn(const PracticeHistory &history)
{
    if (m_session.keepProgressIn(history))
        fillLessons();
}

void CoursePage::keepSettingsIn(QSettings &settings)
{
    cbbCourse->setCurrentIndex(savedInt(settings, QStringLiteral("course/kind"), 0, cbbCourse->count() - 1,
                                        cbbCourse->currentIndex()));
    const int minutes = cbbCourseMinutes->findData(savedInt(settings, QStringLiteral("course/minutes"), 1, 5,
                                                            cbbCourseMinutes->currentData().toInt()));
    cbbCourseMinutes->setCurrentIndex(minutes);
    const int wpm = cbbCourseSpeed->findData(savedInt(settings, QStringLiteral("course/speed"), 10, 60,
                                                      characterSpeed()));
    cbbCourseSpeed->setCurrentIndex(wpm);
    chkCourseShowChars->setChecked(savedBool(settings, QStringLiteral("course/showCharacters"),
                                             chkCourseShowChars->isChecked()));

    QSettings *saved = &settings;
    connect(cbbCourse, &QComboBox::currentIndexChanged, this,
            [saved](int index) { saved->setValue(QStringLiteral("course/kind"), index); });
    connect(cbbCourseMinutes, &QComboBox::currentIndexChanged, this, [this, saved] {
        saved->setValue(QStringLiteral("course/minutes"), cbbCourseMinutes->currentData().toInt());
    });
    connect(cbbCourseSpeed, &QComboBox::currentIndexChanged, this,
            [this, saved] { saved->setValue(QStringLiteral("course/speed"), characterSpeed()); });
    connect(chkCourseShowChars, &QCheckBox::toggled, this,
            [saved](bool shown) { saved->setValue(QStringLiteral("course/showCharacters"), shown); });
}

CourseKind CoursePage::course() const { return CourseKind(cbbCourse->currentIndex()); }
void CoursePage::selectCourse(CourseKind kind) { cbbCourse->setCurrentIndex(int(kind)); }
int CoursePage::lesson() const { return cbbLesson->currentIndex() + 1; }
void CoursePage::selectLesson(int lesson) { cbbLesson->setCurrentIndex(lesson - 1); }
int CoursePage::characterSpeed() const { return cbbCourseSpeed->currentData().toInt(); }

void CoursePage::fillLessons()
{
    const CourseKind kind = course();
    const QSignalBlocker quiet(cbbLesson);
    cbbLesson->clear();
    for (int lesson = 1; lesson <= m_session.lessonReached(kind); ++lesson) {
        const QString added = lesson == 1 ? lessonCharacters(kind, 1) : newCharacters(kind, lesson);
        cbbLesson->addItem(QStringLiteral("%1（%2%3）")
                               .arg(lesson)
                               .arg(lesson == 1 ? QString() : QStringLiteral("+"))
                               .arg(added));
    }
    cbbLesson->setCurrentIndex(cbbLesson->count() - 1);
    showLessonCharacters();
    showCharacterAccuracy();
}

void CoursePage::showLessonCharacters()
{
    const QString characters = lessonCharacters(course(), lesson());
    const QString added = newCharacters(course(), lesson());
    QString html = QStringLiteral("文字 ");
    for (const QChar c : characters) {
        const QString shown = QString(c).toHtmlEscaped();
        html += added.contains(c) ? QStringLiteral("<b><span style=\"color:#f0c040\">%1</span></b> ").arg(shown)
                                  : shown + u' ';
    }
    lblLessonChars->setText(html + QStringLiteral("（太字が新しい文字）"));
}

void CoursePage::showEffectiveSpeed()
{
    const int extra = m_settings ? m_settings->keying().space_extra : 0;
    lblCourseEffective->setText(
        QStringLiteral("実効 %1 wpm（設定のスペースで調整）").arg(QLocale().toString(effectiveWpm(characterSpeed(), extra), 'f', 1)));
}

// ---- A lesson ---------------------------------------------------------------

QWidget *CoursePage::typingBox() const { return mmoCourseCopy; }

void CoursePage::start()
{
    if (!m_sequencer || !m_settings)
        return;
    tmrCourseScore->stop();
    // The course's own speed, never the one set for the other tabs.
    m_settings->sendAtOwnSpeed(characterSpeed());
    bool isInteger = false;
    const int ratio = m_settings->ratioText().toInt(&isInteger);

    LessonPlan plan;
    plan.characters = lessonCharacters(course(), lesson());
    plan.newCharacters = newCharacters(course(), lesson());
    plan.minutes = cbbCourseMinutes->currentData().toInt();
    plan.wpm = characterSpeed();
    plan.spaceExtra = m_settings->keying().space_extra;
    plan.ratio = isInteger && ratio > 0 ? ratio : 3;
    plan.seed = m_nextSeed.value_or(QRandomGenerator::global()->generate());
    m_nextSeed.reset();

    m_session.begin({course(), lesson(), plan.wpm, plan.spaceExtra, lessonText(plan)});
    clearResult();
    mmoCourseCopy->clear();
    mmoCourseCopy->setFocus();
    lblCourseScore->setText(QStringLiteral("レッスン %1 を送信中。聞こえた文字を入力して下さい").arg(m_session.played().lesson));
    clearTicker();

    m_startTick = tickCount();
    m_textChars = 0;
    tmrCoursePerMinute->start();
    m_sequencer->send_text = m_session.played().sent;
    m_sequencer->send_pos = 1;
    const QString error = m_sequencer->StartMorse();
    if (!error.isEmpty())
        m_dialogs.error(window(), error);
    if (!m_sequencer->key_down()) {
        // Nothing sounds (no sound output): there is nothing to score.
        m_session.abandon();
        m_settings->sendAtSetSpeed();
        tmrCourseScore->stop();
        lblCourseScore->clear();
    }
}

void CoursePage::lessonSoundEnded()
{
    emit statusChanged(1, QString());
    tmrCoursePerMinute->stop();
    if (m_settings)
        m_settings->sendAtSetSpeed();
    if (m_session.running())
        tmrCourseScore->start();
}

void CoursePage::lessonStopped()
{
    // Said in the status bar too, since leaving the tab stops a lesson.
    emit statusChanged(0, m_session.running() ? kNotScored : QString());
    emit statusChanged(1, QString());
    tmrCoursePerMinute->stop();
    tmrCourseScore->stop();
    if (m_settings)
        m_settings->sendAtSetSpeed();
    if (m_session.running())
        lblCourseScore->setText(QStringLiteral("中止しました。") + kNotScored);
    m_session.abandon();
}

bool CoursePage::scorePending() const { return tmrCourseScore->isActive(); }

void CoursePage::scoreCopy()
{
    tmrCourseScore->stop();
    const bool running = m_session.running();
    const std::optional<CourseSession::Result> result = m_session.score(mmoCourseCopy->toPlainText());
    if (!result) {
        if (running)
            lblCourseScore->setText(QStringLiteral("入力がありません。") + kNotScored);
        return;
    }
    showResult(*result);
    if (result->reached != result->reachedBefore && course() == m_session.played().course)
        fillLessons();
    else
        showCharacterAccuracy();
}

void CoursePage::clearResult()
{
    txtCourseResult->clear();
    txtCourseResult->setGeometry(kResultAlone);
    mmoCourseCopy->show();
    lblCourseScore->clear();
}

void CoursePage::showResult(const CourseSession::Result &result)
{
    // The copy shown group by group in the result, in the copy box's place too.
    mmoCourseCopy->hide();
    txtCourseResult->setGeometry(kResultWithCopy);
    txtCourseResult->document()->setDefaultFont(txtCourseResult->font());
    const int cellWidth = QFontMetrics(txtCourseResult->font()).horizontalAdvance(u'0');
    const int lineCells = (txtCourseResult->viewport()->width() - kResultMargin) / qMax(1, cellWidth);
    txtCourseResult->setHtml(markedCopyHtml(result.score.alignment, sentGroupSizes(m_session.played().sent), lineCells));
    QString verdict = QStringLiteral("正解率 %1%").arg(QLocale().toString(result.score.percent(), 'f', 1));
    if (result.opened())
        verdict += QStringLiteral("　合格！ レッスン %1 が開きました").arg(result.reached);
    else if (result.score.passed())
        verdict += QStringLiteral("　合格");
    else
        verdict += QStringLiteral("　90% 以上で次のレッスンへ進めます");
    lblCourseScore->setText(verdict);
}

void CoursePage::showCharacterAccuracy()
{
    struct Shown { QChar c; double percent; };
    QList<Shown> shown;
    const QHash<QChar, CourseCharacterCount> &counts = m_session.characterCounts(course());
    for (const QChar c : lessonCharacters(course(), lesson())) {
        const CourseCharacterCount count = counts.value(c);
        if (count.sent > 0)
            shown.append({c, 100.0 * (count.sent - count.wrong) / count.sent});
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Shown &a, const Shown &b) { return a.percent < b.percent; });
    QStringList parts;
    for (const Shown &s : shown.mid(0, kAccuracyShown))
        parts.append(QStringLiteral("%1 %2%").arg(s.c).arg(qRound(s.percent)));
    lblCourseAccuracy->setText(parts.isEmpty() ? QString()
                                               : QStringLiteral("文字ごとの正解率（低い順）: ") + parts.join(u'　'));
}

// ---- What the sequencer shows ------------------------------------------------

void CoursePage::setTickerVisible(bool visible) { lblCourseChar->setVisible(visible); }

void CoursePage::appendTicker(QChar c)
{
    if (!c.isNull()) {
        m_tickerText += c;
        if (m_tickerText.size() > kTickerKeep)
            m_tickerText = m_tickerText.right(kTickerKeep);
    }
    if (chkCourseShowChars->isChecked()) {
        lblCourseChar->setText(m_tickerText);
        return;
    }
    QString hidden = m_tickerText;
    for (QChar &h : hidden) {
        if (h != u' ')
            h = kHiddenCharacter;
    }
    lblCourseChar->setText(hidden);
}

void CoursePage::clearTicker()
{
    m_tickerText.clear();
    lblCourseChar->clear();
}

void CoursePage::countTextChar() { ++m_textChars; }

void CoursePage::rateTimer()
{
    emit statusChanged(1, formatRate(m_textChars, m_startTick, tickCount(), QLocale()));
}
