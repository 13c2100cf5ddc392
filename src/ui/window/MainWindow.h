#pragma once

#include "sending/CharacterSequencer.h"

#include <QWidget>

#include <memory>

class CallSignConditions;
class CallSignPage;
class CoursePage;
class HttpClient;
class KeyingValues;
class PlainTextPage;
class PracticeHistory;
class PracticeRecorder;
class QLabel;
class QPushButton;
class QShortcut;
class QSettings;
class QStatusBar;
class QTabWidget;
class QToolButton;
class RecordsWindow;
class SettingsPanel;
class SoundOutput;
class UiDialogs;
class WindowSendingView;

// The main window's shell: the tabs, the settings group, Start and Stop,
// the status bar, and the order of start-up and shutdown. What happens on a
// tab lives in that tab's page.
class TfrmMain : public QWidget
{
    Q_OBJECT

public:
    // Takes over output, http and dialogs. The window starts in its specified
    // state; what an earlier run saved (settings, the memo) is restored after.
    TfrmMain(SoundOutput *output, HttpClient *http, UiDialogs *dialogs, QWidget *parent = nullptr);
    ~TfrmMain() override;

    CharacterSequencer &sequencer() { return *m_sequencer; }
    const KeyingValues &keying() const;
    CallSignPage &callSignPage() { return *m_callSignPage; }
    PlainTextPage &plainTextPage() { return *m_plainTextPage; }
    CoursePage &coursePage() { return *m_coursePage; }
    QString statusText(int panel) const;
    // Where the pages record answers and runs. Unavailable until openHistory();
    // a history that cannot be used is reported once and practice goes on.
    PracticeHistory &history() { return *m_history; }
    void openHistory(const QString &folder);

    // Event handlers, named after their control and event.
    void FormCreate();
    void FormDestroy();
    void btnStartClick();
    void btnStopClick();
    void RestoreButtons();
    // The plain-text part of Start, whichever tab shows: the next file of
    // random-file mode after its pause.
    void startPlainTextRun();
    void btnRecordsClick();

    // Moves the window where an earlier run left it, if that is still on a
    // screen; false when there is no such place.
    bool restorePosition();

    int activeTab() const;
    void setStartEnabled(bool enabled);
    // Start disabled, Stop enabled: sound goes on or a restart is pending.
    void showSending();
    void showStatus(int panel, const QString &text);
    void showSoundWarning(const QString &message);

private:
    void createControls(HttpClient *http);
    void restoreSavedState();
    void connectEvents();
    // Start and Stop as the sending state wants them; a button that loses
    // the focus by being disabled hands it to the tab's typing box.
    void showButtons(bool sending);
    QWidget *typingBox() const;

    // Controls, by their names in the window layout.
    QTabWidget *PageControlMode;
    CallSignPage *m_callSignPage;
    PlainTextPage *m_plainTextPage;
    CoursePage *m_coursePage;
    SettingsPanel *grp2;
    QPushButton *btnStart;
    QPushButton *btnStop;
    // Esc stops, but only while there is something to stop.
    QShortcut *m_escapeStop;
    QStatusBar *stat1;
    QLabel *stat1Panel0;
    QLabel *stat1Panel1;
    QToolButton *btnRecords;
    RecordsWindow *frmRecords = nullptr;
    std::unique_ptr<PracticeRecorder> m_recorder;

    std::unique_ptr<QSettings> m_saved;
    std::unique_ptr<UiDialogs> m_dialogs;
    std::unique_ptr<SoundOutput> hWave_out;
    // The band's conditions of the call-sign run under way, if any.
    std::unique_ptr<CallSignConditions> m_conditions;
    std::unique_ptr<WindowSendingView> m_sendingView;
    std::unique_ptr<CharacterSequencer> m_sequencer;
    std::unique_ptr<PracticeHistory> m_history;
};
