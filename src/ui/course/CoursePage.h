#pragma once

#include "course/CourseSession.h"

#include <QWidget>

#include <optional>

class CharacterSequencer;
class PracticeHistory;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QSettings;
class QTextBrowser;
class QTimer;
class SettingsPanel;
class UiDialogs;

// The "コース" tab: Koch lessons in international Morse and in Wabun. A lesson
// plays groups of five of its characters through the window's sequencer while
// the learner types what they hear; when the sound has ended the course
// session scores the copy, and the tab shows the result and the lessons open.
class CoursePage : public QWidget
{
    Q_OBJECT

public:
    explicit CoursePage(UiDialogs &dialogs, QWidget *parent = nullptr);

    // The page sends through the window's sequencer and plays at the
    // settings group's spacing, with its own character speed.
    void attach(CharacterSequencer &sequencer, SettingsPanel &settings);
    void detach();
    // Keeps the progress in the practice history's file from now on and
    // shows what it holds. Without it the progress lasts as long as the window.
    void keepProgressIn(const PracticeHistory &history);
    // Restores the course, lesson length, character speed and whether the
    // text is shown as an earlier run saved them in settings, then saves every
    // change there. Without saved values the controls keep their start-up state.
    void keepSettingsIn(QSettings &settings);

    // Start on this tab: the selected lesson begins.
    void start();
    // Where the user types on this tab: the copy box.
    QWidget *typingBox() const;

    CourseKind course() const;
    void selectCourse(CourseKind kind);
    int lesson() const;
    void selectLesson(int lesson);
    int lessonReached() const { return m_session.lessonReached(course()); }
    // The groups of the next lesson are drawn with this seed instead of a fresh one.
    void setNextSeed(quint32 seed) { m_nextSeed = seed; }
    QString sentText() const { return m_session.played().sent; }
    std::optional<LessonScore> lastScore() const { return m_session.lastScore(); }
    bool scorePending() const;
    // A lesson is sounding: started and neither ended nor stopped yet.
    bool lessonSounding() const { return m_session.running() && !scorePending(); }
    // Scores the copy now instead of after the learner's last moment of typing.
    void scoreCopy();

    // What the sequencer shows and asks on this tab.
    void setTickerVisible(bool visible);
    void appendTicker(QChar c);
    void clearTicker();
    void countTextChar();
    void lessonSoundEnded();
    void lessonStopped();

signals:
    void statusChanged(int panel, const QString &text);

private:
    void createControls();
    void connectEvents();
    void fillLessons();
    void showLessonCharacters();
    void showEffectiveSpeed();
    void showResult(const CourseSession::Result &result);
    void clearResult();
    void showCharacterAccuracy();
    void rateTimer();
    int characterSpeed() const;

    QComboBox *cbbCourse;
    QComboBox *cbbLesson;
    QComboBox *cbbCourseMinutes;
    QComboBox *cbbCourseSpeed;
    QLabel *lblCourseEffective;
    QCheckBox *chkCourseShowChars;
    QLabel *lblLessonChars;
    QFrame *shpCourseTicker;
    QLabel *lblCourseChar;
    QPlainTextEdit *mmoCourseCopy;
    QTextBrowser *txtCourseResult;
    QLabel *lblCourseScore;
    QLabel *lblCourseAccuracy;
    QTimer *tmrCoursePerMinute;
    QTimer *tmrCourseScore;

    UiDialogs &m_dialogs;
    CharacterSequencer *m_sequencer = nullptr;
    SettingsPanel *m_settings = nullptr;
    CourseSession m_session;
    std::optional<quint32> m_nextSeed;

    QString m_tickerText;
    quint32 m_startTick = 0;
    int m_textChars = 0;
};
