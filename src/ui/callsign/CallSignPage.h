#pragma once

#include "callsign/CallSignDrill.h"
#include "calllist/CallListFallback.h"
#include "callsign/DrillView.h"
#include "conditions/BandConditions.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class CallSignListReader;
class ConditionsButton;
class PracticeRecorder;
class CharacterSequencer;
class HttpClient;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QTreeWidget;
class SettingsPanel;
class UiDialogs;

// The "Call Sign 受信" tab: reading the list of stations, the drill with its
// results and score, and stream listening. The drill talks to the page
// through DrillView; the speed and pitch it changes are the settings group's.
class CallSignPage : public QWidget, public DrillView
{
    Q_OBJECT

public:
    // Takes over http.
    CallSignPage(HttpClient *http, UiDialogs &dialogs, QWidget *parent = nullptr);
    ~CallSignPage() override;

    // The drill sends through the window's sequencer, which exists from
    // start-up to shutdown, and steps the settings group's speed and pitch.
    void attach(CharacterSequencer &sequencer, SettingsPanel &settings);
    void detach();
    // Start-up state of the page's controls.
    void FormCreate();

    // Restores the practice mode, DX/JA, the year and stream listening an
    // earlier run saved in settings, then saves every change there.
    void keepSettingsIn(QSettings &settings);

    const QStringList &callSigns() const { return lstCallSign; }
    // The band's conditions chosen for the drill and the stream.
    BandConditions bandConditions() const;
    const CallSignDrill &drill() const { return *m_drill; }
    // Answers and stream runs go into the practice history from now on.
    void recordIn(PracticeRecorder &recorder) { m_recorder = &recorder; }

    // Start on this tab.
    void start();
    // Stop pressed: nothing of the drill waits for an answer any more.
    void stop();

    // Event handlers, named after their control and event.
    bool edtCallInputKeyPress(QChar key);
    void chkCallStreamClick();
    void btnCallReadClick();
    void btnCallFileClick();

    // What the sequencer shows on this tab: the stream echo into the input box.
    bool callStreamTicked() const override;
    QString callInputText() const override;
    void setCallInputText(const QString &text);
    // Where the user types on this tab: the answer box.
    QWidget *typingBox() const;

    // What the drill sees of the page.
    Mode practiceMode() const override;
    int appendResultRow(const DrillAnswer &answer) override;
    void clearResults() override;
    void selectLastResultRow() override;
    void showScore(const QString &text) override;
    void setScoreVisible(bool visible) override;
    QString speedText() const override;
    int speedPosition() const override;
    int pitchHz() const override;
    void setSpeedPosition(int wpm) override;
    void setPitchPosition(int hz) override;
    void clearCallInput() override;
    void focusCallInput() override;
    void showNotice(const QString &text) override;
    void showError(const QString &text) override;
    void restoreButtons() override;

signals:
    void statusChanged(int panel, const QString &text);
    void restoreButtonsRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void connectEvents();
    void callListRead(const QStringList &callSigns);
    void callListFailed(const QString &reason);
    // 読込 again, and the status bar tells the size of the list in use.
    void showReadIdle();

    QTreeWidget *lvCallList;
    QLineEdit *edtCallInput;
    QGroupBox *GroupBox2;
    QRadioButton *rbCallDX;
    QRadioButton *rbCallJA;
    QComboBox *cbbCallList;
    QPushButton *btnCallRead;
    // Beside the read button: call signs from a file of the operator's own.
    QPushButton *btnCallFile;
    QGroupBox *GroupBox1;
    QRadioButton *rbModeNormal;
    QRadioButton *rbModeStep;
    QRadioButton *rbModeRandom;
    QCheckBox *chkCallStream;
    // Right of the stream box: noise, fading and a second station.
    ConditionsButton *btnConditions;
    QFrame *PanelCount;
    QLabel *LabelCount;

    // The downloaded call signs: the list the drill and the stream draw from.
    QStringList lstCallSign;
    // Where the call-sign file dialog opens: the folder of the last file.
    QString m_callFileFolder;

    SettingsPanel *m_settings = nullptr;
    UiDialogs &m_dialogs;
    std::unique_ptr<CallSignDrill> m_drill;
    CallSignListReader *m_reader;
    PracticeRecorder *m_recorder = nullptr;
    CallListFallback m_lists;
};
