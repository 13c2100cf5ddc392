#pragma once

#include "sending/CharacterSequencer.h"

#include <QWidget>

#include <memory>

class CallSignPage;
class HttpClient;
class KeyingValues;
class PlainTextPage;
class PracticeHistory;
class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class RecordsWindow;
class SettingsPanel;
class SoundOutput;
class UiDialogs;
class WindowSendingView;

// The main window's shell: the two tabs, the settings group, Start and Stop,
// the status bar, and the order of start-up and shutdown. What happens on a
// tab lives in that tab's page.
class TfrmMain : public QWidget
{
    Q_OBJECT

public:
    // Takes over output, http and dialogs.
    TfrmMain(SoundOutput *output, HttpClient *http, UiDialogs *dialogs, QWidget *parent = nullptr);
    ~TfrmMain() override;

    CharacterSequencer &sequencer() { return *m_sequencer; }
    const KeyingValues &keying() const;
    CallSignPage &callSignPage() { return *m_callSignPage; }
    PlainTextPage &plainTextPage() { return *m_plainTextPage; }
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
    void btnRecordsClick();

    int activeTab() const;
    void setStartEnabled(bool enabled);
    void showStatus(int panel, const QString &text);
    void showSoundWarning(const QString &message);

private:
    void createControls(HttpClient *http);
    void connectEvents();

    // Controls, by their names in the window layout.
    QTabWidget *PageControlMode;
    CallSignPage *m_callSignPage;
    PlainTextPage *m_plainTextPage;
    SettingsPanel *grp2;
    QPushButton *btnStart;
    QPushButton *btnStop;
    QStatusBar *stat1;
    QLabel *stat1Panel0;
    QLabel *stat1Panel1;
    QToolButton *btnRecords;
    RecordsWindow *frmRecords = nullptr;

    std::unique_ptr<UiDialogs> m_dialogs;
    std::unique_ptr<SoundOutput> hWave_out;
    std::unique_ptr<WindowSendingView> m_sendingView;
    std::unique_ptr<CharacterSequencer> m_sequencer;
    std::unique_ptr<PracticeHistory> m_history;
};
